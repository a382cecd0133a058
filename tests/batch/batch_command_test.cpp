// The batch command line: options and their usage errors, and the pictures a set of INPUTs
// gives with the outputs they go to.
#include <gtest/gtest.h>

#include "batch/atomic_file.h"
#include "batch/batch_command.h"
#include "support/temp_folder.h"

using namespace veltrane;
using namespace veltrane::test;

TEST(BatchCommand, ParsesOptionsInBothSpellings) {
    const BatchOptions o = parseBatchOptions({"--do", "gamma:25", "--do=equalize", "-oout", "--format", "jpeg", "-j2",
                                              "--seed", "4294967295", "--overwrite", "-r", "--json", "a.bmp", "--", "-b.jpg"});
    ASSERT_EQ(o.operations.size(), 2u);
    EXPECT_EQ(o.operations[1].text, "equalize");
    EXPECT_EQ(o.outputDir, "out");
    EXPECT_EQ(o.format, OutputFormat::Jpeg);
    EXPECT_EQ(o.jobs, 2);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_TRUE(o.overwrite && o.recursive && o.json);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.bmp", "-b.jpg"}));
    EXPECT_GE(parseBatchOptions({"-o", "x", "a.bmp"}).jobs, 1) << "default: one per core";
}

TEST(BatchCommand, UsageErrors) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"a.bmp"}, "-o DIR is required (or --in-place)"},
        {{"-o", "x"}, "no INPUT given"},
        {{"--do", "gamma:0", "-o", "x", "a.bmp"}, "gamma: POSITION must be an integer 1..40 (got \"0\")"},
        {{"-j", "0", "-o", "x", "a.bmp"}, "-j must be an integer 1..256 (got \"0\")"},
        {{"--seed", "4294967296", "-o", "x", "a.bmp"}, "--seed must be an integer 0..4294967295 (got \"4294967296\")"},
        {{"--format", "png", "-o", "x", "a.bmp"}, "--format must be bmp or jpeg (got \"png\")"},
        {{"--in-place", "-o", "x", "a.bmp"}, "-o and --in-place exclude each other"},
        {{"--in-place", "--format", "bmp", "a.bmp"}, "--in-place keeps each picture's own format: --format cannot be used"},
        {{"--fast", "-o", "x", "a.bmp"}, "unknown option --fast"},
        {{"-o"}, "-o needs a value"},
    };
    for (const auto& c : cases) {
        try {
            parseBatchOptions(c.args);
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const UsageError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(BatchInputs, FoldersGiveTheirPicturesInByteOrderAndRecursionMirrorsSubfolders) {
    TempFolder f({"b.jpg", "B.bmp", "a.BMP", "c.Jpg", "notes.txt", "x.bmp/", "sub/", "sub/z.jpeg", "sub/y.bmp"});
    const std::string d = f.path();
    EXPECT_EQ(collectPictures({d}, false), (std::vector<std::string>{d + "/B.bmp", d + "/a.BMP", d + "/b.jpg"}));
    const std::vector<BatchPicture> all = planOutputs({d, d + "/a.BMP"}, true, "/o", OutputFormat::SameAsInput, false);
    std::vector<std::string> outputs, conflicts;
    for (const BatchPicture& p : all) {
        outputs.push_back(p.output);
        conflicts.push_back(p.conflict);
    }
    EXPECT_EQ(outputs, (std::vector<std::string>{"/o/B.bmp", "/o/a.bmp", "/o/b.jpg", "/o/sub/y.bmp", "/o/sub/z.jpg", "/o/a.bmp"}));
    EXPECT_EQ(conflicts.back(), d + "/a.BMP") << "a second picture for one output fails";
    EXPECT_EQ(planOutputs({d + "/b.jpg"}, false, "o", OutputFormat::Bmp, false)[0].output, "o/b.bmp");
    EXPECT_EQ(planOutputs({d + "/b.jpg"}, false, "", OutputFormat::SameAsInput, true)[0].output, d + "/b.jpg");
    EXPECT_THROW(collectPictures({d + "/notes.txt"}, false), UsageError);
}

TEST(AtomicFile, ReplacesOnlyWhenAskedAndLeavesNoTemporaryFile) {
    TempFolder f;
    const std::string path = f.write("p.bmp", "old");
    const std::vector<std::uint8_t> bytes{'n', 'e', 'w'};
    EXPECT_FALSE(writeWholeFile(path, bytes, 0644, Replace::Never));
    EXPECT_TRUE(writeWholeFile(path, bytes, 0644, Replace::Always));
    EXPECT_TRUE(writeWholeFile(f.path() + "/q.bmp", bytes, 0644, Replace::Never));
    EXPECT_THROW(writeWholeFile(f.path() + "/missing/q.bmp", bytes, 0644, Replace::Always), WriteError);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(f.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"p.bmp", "q.bmp"}));
}
