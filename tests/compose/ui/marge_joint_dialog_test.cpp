// The join and merge window driven in-process against a fake host: its design values, drops
// and the open dialog, the track bar per rule, OK joining and merging into the document, and
// every refusal leaving the document, its planes and the caption as they were.
#include <gtest/gtest.h>

#include <QTabBar>
#include <filesystem>
#include <functional>

#include "compose/ui/marge_joint_dialog.h"
#include "image/bmp_codec.h"
#include "image/image_file.h"
#include "platform/ui/scripted_platform.h"
#include "support/fake_document_host.h"
#include "support/temp_folder.h"
#include "support/test_paths.h"

using namespace veltrane;
using veltrane::test::TempFolder;

namespace {

// A picture whose every byte is one value.
Bitmap24 uniformBitmap(int width, int height, std::uint8_t value) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) std::fill_n(picture.row(y), 3 * width, value);
    return picture;
}

std::string bmpBytes(const Bitmap24& picture) {
    const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool sameBytes(const Bitmap24& a, const Bitmap24& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + 3 * a.width(), b.row(y))) return false;
    return true;
}

// The B, G, R bytes of pixel (x, y).
std::array<int, 3> bgrAt(const Bitmap24& picture, int x, int y) {
    const std::uint8_t* p = picture.row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

class MargeJointTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto services = std::make_unique<ScriptedPlatform>();
        scripted = services.get();
        setPlatform(std::move(services));
        dialog = std::make_unique<TMargeJoint>(host, nullptr);
    }

    // Loads the current picture under the caption a file of that size gets.
    void loadCurrent(Bitmap24 picture) {
        const QString caption = QString("cur.bmp(%1×%2)").arg(picture.width()).arg(picture.height());
        host.ReplaceImage(std::move(picture), caption);
    }

    // Writes a BMP into the folder and drops it on the window.
    void dropSecond(const std::string& name, const Bitmap24& picture) {
        dialog->FilesDropped({QString::fromStdString(folder.write(name, bmpBytes(picture)))});
    }

    // Chooses the path through the open dialog, as "..." does.
    void chooseSecond(const std::string& path) {
        ScriptedPlatform::DialogAnswer answer;
        answer.kind = ScriptedPlatform::DialogKind::Open;
        answer.file.path = QString::fromStdString(path);
        scripted->queueDialogAnswer(answer);
        dialog->ButtonOpen->click();
    }

    TempFolder folder;
    test::FakeDocumentHost host;
    ScriptedPlatform* scripted = nullptr;
    std::unique_ptr<TMargeJoint> dialog;
};

}  // namespace

TEST_F(MargeJointTest, StartsWithItsDesignValues) {
    EXPECT_EQ(dialog->objectName(), "MargeJoint");
    EXPECT_EQ(dialog->windowTitle(), "連結・合成");
    EXPECT_EQ(dialog->PageControl1->tabText(0), "\u3000連結する\u3000");
    EXPECT_EQ(dialog->PageControl1->tabText(1), "\u3000合成する\u3000");
    EXPECT_EQ(dialog->PageControl1->widget(0), dialog->TabSheet1);
    EXPECT_TRUE(dialog->RadioButtonUp->isChecked());
    EXPECT_TRUE(dialog->RadioButtonTransparent->isChecked());
    EXPECT_EQ(dialog->RadioButtonXOR->text(), "XOR1");
    EXPECT_EQ(dialog->TrackBar1->minimum(), 0);
    EXPECT_EQ(dialog->TrackBar1->maximum(), 100);
    EXPECT_EQ(dialog->TrackBar1->value(), 50);
    EXPECT_TRUE(dialog->TrackBar1->isEnabled());
    EXPECT_EQ(dialog->Edit2->text(), "50");
    EXPECT_TRUE(dialog->Edit2->isReadOnly());
    EXPECT_TRUE(dialog->EditPath->isReadOnly());
    EXPECT_EQ(dialog->ButtonOpen->text(), "...");
    EXPECT_EQ(dialog->Label1->text(), "ドラッグも可能です");
    EXPECT_TRUE(dialog->OKBtn->isDefault());
    EXPECT_FALSE(dialog->OKBtn->isEnabled());
    EXPECT_EQ(dialog->CancelBtn->text(), "キャンセル");
    EXPECT_TRUE(dialog->acceptDrops());
}

TEST_F(MargeJointTest, DropsTakeOnePictureFileAndRefuseTheRest) {
    const struct {
        QStringList paths;
        QString message;  // empty: taken
    } cases[] = {
        {{"/p/a.bmp", "/p/b.bmp"}, "複数のファイルを同時に開けません"},
        {{"/p/a.Jpg"}, "開けない形式のファイルです"},
        {{"/p/a.png"}, "開けない形式のファイルです"},
        {{"/p.bmp/noextension"}, "開けない形式のファイルです"},
        {{"/p/写真 #1.JPEG"}, QString()},
        {{"/p/b.BMP"}, QString()},
    };
    QString expectedPath;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paths.join(' ').toStdString());
        scripted->clearMessages();
        dialog->FilesDropped(c.paths);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(scripted->messages().isEmpty());
            expectedPath = c.paths.first();
        } else {
            EXPECT_EQ(scripted->messages(), QStringList{"message: : " + c.message});
        }
        EXPECT_EQ(dialog->EditPath->text(), expectedPath) << "a refused drop leaves the path as it was";
        EXPECT_EQ(dialog->OKBtn->isEnabled(), !expectedPath.isEmpty());
    }
}

TEST_F(MargeJointTest, TheOpenDialogTakesAnyNameAndCancelChangesNothing) {
    scripted->queueDialogAnswer({});
    dialog->ButtonOpen->click();
    EXPECT_EQ(dialog->EditPath->text(), "");
    EXPECT_FALSE(dialog->OKBtn->isEnabled());

    chooseSecond("/p/second.png");
    EXPECT_EQ(dialog->EditPath->text(), "/p/second.png");
    EXPECT_TRUE(dialog->OKBtn->isEnabled());
    EXPECT_TRUE(scripted->messages().isEmpty());
}

TEST_F(MargeJointTest, TheTrackBarIsEnabledOnlyForTheTransparencyRule) {
    QRadioButton* const others[] = {dialog->RadioButtonBright, dialog->RadioButtonDark, dialog->RadioButtonAdd,
                                    dialog->RadioButtonSub,    dialog->RadioButtonXOR,  dialog->RadioButtonXOR2};
    for (QRadioButton* rule : others) {
        SCOPED_TRACE(rule->objectName().toStdString());
        rule->click();
        EXPECT_FALSE(dialog->TrackBar1->isEnabled());
        dialog->RadioButtonTransparent->click();
        EXPECT_TRUE(dialog->TrackBar1->isEnabled());
    }
    dialog->TrackBar1->setValue(29);
    EXPECT_EQ(dialog->Edit2->text(), "29");
    dialog->TrackBar1->setValue(0);
    EXPECT_EQ(dialog->Edit2->text(), "0");
}

// Current 3 × 2 of bytes 10 beside a second 2 × 4 of bytes 200: each direction puts the second
// picture on its side, pads with white, and names the padded second size in the caption.
TEST_F(MargeJointTest, OkJoinsInEachDirection) {
    const struct {
        QRadioButton* TMargeJoint::*button;
        int width, height;
        const char* phrase;
        // Pixels (x, y) and the byte each must hold: current 10, second 200, padding 255.
        std::vector<std::array<int, 3>> probes;
    } cases[] = {
        {&TMargeJoint::RadioButtonUp, 3, 6, "(3×4)", {{0, 0, 200}, {2, 3, 255}, {0, 4, 10}, {2, 5, 10}}},
        {&TMargeJoint::RadioButtonDown, 3, 6, "(3×4)", {{0, 0, 10}, {1, 2, 200}, {2, 2, 255}, {1, 5, 200}}},
        {&TMargeJoint::RadioButtonLeft, 5, 4, "(2×4)", {{0, 0, 200}, {1, 3, 200}, {2, 0, 10}, {2, 2, 255}, {4, 3, 255}}},
        {&TMargeJoint::RadioButtonRight, 5, 4, "(2×4)", {{0, 0, 10}, {2, 1, 10}, {0, 2, 255}, {3, 0, 200}, {4, 3, 200}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phrase);
        dialog = std::make_unique<TMargeJoint>(host, nullptr);
        loadCurrent(uniformBitmap(3, 2, 10));
        dialog->PageControl1->setCurrentIndex(0);
        (dialog.get()->*c.button)->click();
        dropSecond("sec.bmp", uniformBitmap(2, 4, 200));
        dialog->OKBtn->click();

        const ImageDocument& doc = host.doc;
        ASSERT_EQ(doc.width(), c.width);
        ASSERT_EQ(doc.height(), c.height);
        for (const auto& [x, y, byte] : c.probes) {
            EXPECT_EQ(bgrAt(doc.bitmap, x, y), (std::array<int, 3>{byte, byte, byte})) << x << ", " << y;
            EXPECT_EQ(doc.original.G[y][x], byte) << "the joined picture is the original";
        }
        EXPECT_EQ(host.caption, QString("cur.bmp(3×2)とsec.bmp%1を連結").arg(c.phrase));
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
}

// Each rule on one overlap pixel (x = 0) with the values that tell it apart; the pixel beyond
// the second picture's width keeps its value.
TEST_F(MargeJointTest, OkMergesByEachRuleOnlyWhereThePicturesOverlap) {
    const struct {
        QRadioButton* TMargeJoint::*button;
        int t, m, s, expected;
    } cases[] = {
        {&TMargeJoint::RadioButtonTransparent, 50, 200, 100, 150},
        {&TMargeJoint::RadioButtonTransparent, 0, 200, 100, 100},
        {&TMargeJoint::RadioButtonTransparent, 29, 100, 0, 28},
        {&TMargeJoint::RadioButtonTransparent, 100, 7, 250, 7},
        {&TMargeJoint::RadioButtonBright, 50, 10, 100, 100},
        {&TMargeJoint::RadioButtonDark, 50, 10, 100, 10},
        {&TMargeJoint::RadioButtonAdd, 50, 0xF0, 0x3C, 0x30},
        {&TMargeJoint::RadioButtonSub, 50, 0xF0, 0x3C, 0xFC},
        {&TMargeJoint::RadioButtonXOR, 50, 0xF0, 0x3C, 0xCF},
        {&TMargeJoint::RadioButtonXOR2, 50, 0xF0, 0x3C, 0x03},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (dialog.get()->*c.button)->objectName().toStdString() << " t " << c.t);
        dialog = std::make_unique<TMargeJoint>(host, nullptr);
        loadCurrent(uniformBitmap(2, 2, static_cast<std::uint8_t>(c.m)));
        dialog->PageControl1->setCurrentIndex(1);
        (dialog.get()->*c.button)->click();
        dialog->TrackBar1->setValue(c.t);
        dropSecond("sec.jpg.bmp", uniformBitmap(1, 3, static_cast<std::uint8_t>(c.s)));
        dialog->OKBtn->click();

        const ImageDocument& doc = host.doc;
        ASSERT_EQ(doc.width(), 2);
        ASSERT_EQ(doc.height(), 2);
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(bgrAt(doc.bitmap, 0, y), (std::array<int, 3>{c.expected, c.expected, c.expected}));
            EXPECT_EQ(bgrAt(doc.bitmap, 1, y), (std::array<int, 3>{c.m, c.m, c.m}));
            EXPECT_EQ(doc.original.R[y][0], c.expected) << "the merged picture is the original";
        }
        EXPECT_EQ(host.caption, "cur.bmp(2×2)とsec.jpg.bmpを合成");
    }
}

// Palette and RLE files arrive as 24-bit pictures, as they would open in the main window.
TEST_F(MargeJointTest, ASecondFileOfAnyBmpKindJoinsAsItsDecodedPicture) {
    for (const char* name : {"wx-drawing-mask.bmp", "wx-drawing-pat4.bmp", "wx-image-horse.bmp"}) {
        SCOPED_TRACE(name);
        const std::string path = test::dataDir() + "/corpus/bmp/valid/" + name;
        const Bitmap24 decoded = loadImageFile(path, FileKind::Bmp).bitmap;
        dialog = std::make_unique<TMargeJoint>(host, nullptr);
        loadCurrent(uniformBitmap(1, 1, 10));
        dialog->RadioButtonRight->click();
        dialog->FilesDropped({QString::fromStdString(path)});
        dialog->OKBtn->click();
        ASSERT_EQ(host.doc.width(), 1 + decoded.width());
        ASSERT_EQ(host.doc.height(), std::max(1, decoded.height()));
        for (int y = 0; y < decoded.height(); ++y)
            ASSERT_TRUE(std::equal(decoded.row(y), decoded.row(y) + 3 * decoded.width(), host.doc.bitmap.row(y) + 3))
                << "row " << y;
    }
}

// Every refusal says why once, closes the window as OK does, and leaves the document, its
// planes and the caption exactly as they were.
TEST_F(MargeJointTest, RefusalsSayWhyAndChangeNothing) {
    std::string hugeHeader = bmpBytes(uniformBitmap(1, 1, 0));
    for (const std::size_t at : {18u, 22u})  // width and height: 100,000
        for (int i = 0; i < 4; ++i) hugeHeader[at + i] = static_cast<char>((100000 >> (8 * i)) & 0xFF);
    const std::string valid = bmpBytes(uniformBitmap(3, 3, 77));
    std::filesystem::create_directory(folder.path() + "/folder.bmp");

    // The decoder's own message for a file, as the error box must show it.
    const auto decoderMessage = [](const std::string& path, FileKind kind) {
        try {
            loadImageFile(path, kind);
        } catch (const DecodeError& error) {
            return QString::fromUtf8(error.what());
        }
        ADD_FAILURE() << path << " decodes";
        return QString();
    };
    const std::string malformed = test::dataDir() + "/corpus/bmp/malformed/gdk-invalid.1.bmp";
    const std::string missing = folder.path() + "/ない.bmp";
    const std::string truncated = folder.write("truncated.bmp", valid.substr(0, 60));
    const std::string empty = folder.write("empty.jpg", "");
    const std::string huge = folder.write("huge.bmp", hugeHeader);
    const std::string badJpeg = folder.write("bad.JPG", "\xFF\xD8\xFF\xE0 not a jpeg");
    const std::string wide = folder.write("wide.bmp", bmpBytes(uniformBitmap(20000, 1, 5)));

    const struct {
        std::string path;
        int page;
        QString message;
    } cases[] = {
        {folder.write("chosen.png", valid), 0, "開けない形式のファイルです"},
        {folder.write("chosen.Jpg", valid), 1, "開けない形式のファイルです"},
        {missing, 0, decoderMessage(missing, FileKind::Bmp)},
        {folder.path() + "/folder.bmp", 1, decoderMessage(folder.path() + "/folder.bmp", FileKind::Bmp)},
        {truncated, 0, decoderMessage(truncated, FileKind::Bmp)},
        {empty, 1, decoderMessage(empty, FileKind::Jpeg)},
        {huge, 0, decoderMessage(huge, FileKind::Bmp)},
        {badJpeg, 1, decoderMessage(badJpeg, FileKind::Jpeg)},
        {malformed, 0, decoderMessage(malformed, FileKind::Bmp)},
        {wide, 0, "連結後の画像が大きすぎます（幅 32000 × 高さ 1）"},
    };
    ASSERT_TRUE(std::filesystem::exists(malformed));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Bitmap24 current = uniformBitmap(12000, 1, 40);
        current.row(0)[0] = 1;
        loadCurrent(current);
        const ColorPlanes planesBefore = host.doc.current;
        dialog = std::make_unique<TMargeJoint>(host, nullptr);
        dialog->PageControl1->setCurrentIndex(c.page);
        dialog->RadioButtonRight->click();
        chooseSecond(c.path);
        scripted->clearMessages();
        dialog->OKBtn->click();

        EXPECT_EQ(scripted->messages(), QStringList{"message: : " + c.message});
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << "the window closes as after any OK";
        EXPECT_TRUE(sameBytes(host.doc.bitmap, current));
        EXPECT_EQ(host.doc.current.B[0][0], 1);
        EXPECT_EQ(host.doc.original.width, planesBefore.width);
        EXPECT_EQ(host.caption, "cur.bmp(12000×1)");
    }
}
