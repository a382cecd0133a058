// Batch runs over small folders: the generator rule (each picture gets the state a one-by-one
// run in sorted order gives it, whatever the number of workers), failures that stay with their
// picture, skipped outputs, unwritable folders and the JSON lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "adjust/adjustments.h"
#include "batch/batch_runner.h"
#include "effects/effect_dispatch.h"
#include "image/bmp_codec.h"
#include "image/image_document.h"
#include "support/temp_folder.h"

using namespace veltrane;
using namespace veltrane::test;
namespace fs = std::filesystem;

namespace {

Bitmap24 fixture(int w, int h, int shade) {
    Bitmap24 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = b.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 40 + shade);
            p[1] = static_cast<std::uint8_t>(y * 50 + shade * 3);
            p[2] = static_cast<std::uint8_t>(x * y * 7 + shade * 11);
        }
    return b;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string asString(const std::vector<std::uint8_t>& v) { return {v.begin(), v.end()}; }

struct Captured {
    int status;
    std::string out, err;
};

std::string readAll(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

Captured runOn(const std::string& inputDir, const std::string& outputDir, std::vector<std::string> ops, int jobs,
               std::uint32_t seed = 1, bool overwrite = false, bool json = false) {
    BatchRun run;
    run.pictures = planOutputs({inputDir}, false, outputDir, OutputFormat::SameAsInput, false);
    for (const std::string& op : ops) run.pipeline.operations.push_back(parseOperation(op));
    run.pipeline.overwrite = overwrite;
    run.seed = seed;
    run.jobs = jobs;
    run.report.json = json;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const std::atomic<bool> stop{false};
    const int status = runBatch(run, out, err, stop);
    return {status, readAll(out), readAll(err)};
}

// Five pictures of different sizes in name order, the third one malformed.
class BatchRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(in());
        for (int i = 0; i < 5; ++i) {
            const std::string name = in() + "/p" + std::to_string(i) + ".bmp";
            if (i == 2)
                folder.write("in/p2.bmp", "BM not a picture");
            else
                std::ofstream(name, std::ios::binary) << asString(encodeBmp24(fixture(3 + i, 2 + i, i * 17)));
        }
    }
    std::string in() const { return folder.path() + "/in"; }
    std::string out(const std::string& sub = "out") const { return folder.path() + "/" + sub; }

    TempFolder folder;
};

}  // namespace

TEST_F(BatchRunnerTest, EachPictureDrawsFromTheStateASequentialRunGivesItWhateverTheWorkers) {
    // The one-by-one run: the malformed picture draws nothing.
    RandomGenerator random;
    random.seed(77);
    std::vector<std::string> expected(5);
    for (int i = 0; i < 5; ++i) {
        if (i == 2) continue;
        Bitmap24 b = fixture(3 + i, 2 + i, i * 17);
        ColorPlanes planes(b.width(), b.height());
        splitBitmap(b, planes);
        noiseFinal(planes, 30, true, random);
        RunEffect(10, planes, 0, random);
        writePlanes(planes, b);
        expected[static_cast<std::size_t>(i)] = asString(encodeBmp24(b));
    }
    for (const int jobs : {1, 3}) {
        SCOPED_TRACE(jobs);
        const std::string dir = out("out" + std::to_string(jobs));
        const Captured r = runOn(in(), dir, {"noise:30", "effect:sepia"}, jobs, 77);
        EXPECT_EQ(r.status, kBatchSomeFailed);
        for (int i = 0; i < 5; ++i) {
            const std::string path = dir + "/p" + std::to_string(i) + ".bmp";
            if (i == 2)
                EXPECT_FALSE(fs::exists(path));
            else
                EXPECT_EQ(bytesOf(path), expected[static_cast<std::size_t>(i)]) << path;
        }
        EXPECT_NE(r.err.find(in() + "/p2.bmp: cannot read the picture: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("4 written, 0 skipped, 1 failed of 5 pictures"), std::string::npos) << r.err;
    }
}

// A gradation first resets the generator, so every picture's noise starts from that state.
TEST_F(BatchRunnerTest, AResetBeforeTheDrawsMakesEveryPictureStartAlike) {
    const Captured r = runOn(in(), out(), {"gradation:random-3", "noise:50"}, 2, 5);
    EXPECT_EQ(r.status, kBatchSomeFailed);
    for (const int i : {0, 1, 3, 4}) {
        Bitmap24 b = fixture(3 + i, 2 + i, i * 17);
        ColorPlanes planes(b.width(), b.height());
        splitBitmap(b, planes);
        RandomGenerator random;
        parseOperation("gradation:random-3").run(planes, random);
        noiseFinal(planes, 50, true, random);
        writePlanes(planes, b);
        EXPECT_EQ(bytesOf(out() + "/p" + std::to_string(i) + ".bmp"), asString(encodeBmp24(b))) << i;
    }
}

TEST_F(BatchRunnerTest, ExistingOutputsAreSkippedAndReportedUnlessOverwritten) {
    fs::create_directory(out());
    std::ofstream(out() + "/p1.bmp") << "keep me";
    const Captured r = runOn(in(), out(), {"flip-vertical"}, 2);
    EXPECT_EQ(r.status, kBatchSomeFailed);  // p2 is malformed
    EXPECT_EQ(bytesOf(out() + "/p1.bmp"), "keep me");
    EXPECT_NE(r.err.find(in() + "/p1.bmp: skipped: " + out() + "/p1.bmp exists (--overwrite replaces it)"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("3 written, 1 skipped, 1 failed of 5 pictures"), std::string::npos) << r.err;

    const Captured again = runOn(in(), out(), {"flip-vertical"}, 2, 1, true);
    EXPECT_EQ(again.status, kBatchSomeFailed);
    EXPECT_NE(bytesOf(out() + "/p1.bmp"), "keep me");
}

TEST_F(BatchRunnerTest, AnUnwritableOutputFolderFailsEveryPictureAndLeavesNoFile) {
    folder.write("blocked", "a file where the folder should be");
    const Captured r = runOn(in(), out("blocked/sub"), {"equalize"}, 2);
    EXPECT_EQ(r.status, kBatchSomeFailed);
    EXPECT_NE(r.err.find(in() + "/p0.bmp: cannot create the folder " + out("blocked/sub") + ": "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("0 written, 0 skipped, 5 failed"), std::string::npos) << r.err;
    EXPECT_EQ(bytesOf(out("blocked")), "a file where the folder should be");
}

TEST_F(BatchRunnerTest, JsonGivesOneObjectPerPicture) {
    const Captured r = runOn(in(), out(), {}, 1, 1, false, true);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(r.out.substr(start, end - start));
    ASSERT_EQ(lines.size(), 5u) << r.out;
    const std::string first = "{\"input\":\"" + in() + "/p0.bmp\",\"output\":\"" + out() + "/p0.bmp\",\"status\":\"written\",\"milliseconds\":";
    EXPECT_EQ(lines[0].rfind(first, 0), 0u) << lines[0];
    EXPECT_NE(lines[2].find("\"status\":\"failed\""), std::string::npos);
    EXPECT_NE(lines[2].find("\"reason\":\"cannot read the picture: "), std::string::npos);
    // No operation: the file as the program saves it.
    EXPECT_EQ(bytesOf(out() + "/p1.bmp"), asString(encodeBmp24(fixture(4, 3, 17))));
}

TEST(BatchReport, JsonStringsEscapeQuotesControlsAndBrokenUtf8) {
    EXPECT_EQ(jsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
    EXPECT_EQ(jsonString("写真.jpg"), "\"写真.jpg\"");
    EXPECT_EQ(jsonString(std::string("x\xff") + "y\xe5\x86"), "\"x\\ufffdy\\ufffd\\ufffd\"");
}

TEST(BatchReport, ProgressLineShowsCountRateAndTimeLeft) {
    EXPECT_EQ(progressLine(0, 10, 0.0), "[..............................] 0/10");
    EXPECT_EQ(progressLine(5, 10, 2.0), "[###############...............] 5/10  2.5 pictures/s  0:02 left");
    EXPECT_EQ(progressLine(10, 10, 4.0), "[##############################] 10/10  2.5 pictures/s  0:00 left");
}
