// The loader over files on disk: what comes back, and which boxes it shows.
#include "view/BitmapLoader.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testing/bitmap/BmpBuilder.h"
#include "view/MessageBox.h"

namespace trotix {
namespace {

struct Box {
  std::string text;
  std::string caption;
  MessageIcon icon;
};

// Records every box, works in a fresh directory and puts things back after.
class BitmapLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trotix-bitmap-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    previousSink_ =
        SetMessageBoxSinkForTesting([this](const std::string& text, const std::string& caption,
                                           MessageIcon icon, MessageOwner) {
          boxes_.push_back({text, caption, icon});
        });
  }

  void TearDown() override {
    SetMessageBoxSinkForTesting(previousSink_);
    showImageErrors = true;
    std::filesystem::remove_all(directory_);  // with whatever a test made inside
  }

  std::string write(const std::string& name, const Bytes& bytes) {
    const std::string path = directory_ + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  void expectOneBox(const std::string& text) {
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, text);
    EXPECT_EQ(boxes_[0].caption, "Error");
    EXPECT_EQ(boxes_[0].icon, MessageIcon::kNone);
  }

  std::string directory_;
  std::vector<Box> boxes_;
  MessageBoxSink previousSink_;
};

void FreeImage(RgbImage* image) {
  if (image == nullptr) return;
  std::free(image->data);
  std::free(image);
}

Bytes TwoByTwo(std::int32_t height) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = height;
  Bytes first = {0, 0, 255, 0, 255, 0}, second = {255, 0, 0, 255, 255, 255};
  layout.pixels = height > 0 ? PadRows({first, second}) : PadRows({second, first});
  return BuildBmp(layout);
}

const Bytes kTwoByTwoRgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};

TEST_F(BitmapLoaderTest, LoadsAPictureBottomRowFirst) {
  for (std::int32_t height : {2, -2}) {
    RgbImage* image = LoadBitmapFile(write("picture.bmp", TwoByTwo(height)).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(Bytes(image->data, image->data + 12), kTwoByTwoRgb);
    FreeImage(image);
  }
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BitmapLoaderTest, ReturnsNullQuietlyForNoNameOrAMissingFile) {
  EXPECT_EQ(LoadBitmapFile(nullptr), nullptr);
  EXPECT_EQ(LoadBitmapFile((directory_ + "/missing.bmp").c_str()), nullptr);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BitmapLoaderTest, SaysAnEmptyFileCannotBeOpened) {
  // Relative to the working directory, as the view asks for it.
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(directory_.c_str()), 0);
  mkdir("Data", 0700);
  write("Data/Star.bmp", {});
  RgbImage* image = LoadBitmapFile("Data/Star.bmp");
  EXPECT_EQ(chdir(previous), 0);
  std::free(previous);
  EXPECT_EQ(image, nullptr);
  expectOneBox("Failed to open DIB file Data/Star.bmp.\n");
}

TEST_F(BitmapLoaderTest, SaysADirectoryCannotBeOpened) {
  EXPECT_EQ(LoadBitmapFile(directory_.c_str()), nullptr);
  expectOneBox("Failed to open DIB file " + directory_ + ".\n");
}

TEST_F(BitmapLoaderTest, RefusesAFifoWithoutWaitingForAWriter) {
  const std::string fifo = directory_ + "/fifo.bmp";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadBitmapFile(fifo.c_str()), nullptr);  // a hang here fails by timeout
  expectOneBox("Failed to open DIB file " + fifo + ".\n");
}

TEST_F(BitmapLoaderTest, NamesAMissingNameWithoutOpeningAFileOfThatName) {
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(directory_.c_str()), 0);
  write("(null)", TwoByTwo(2));
  RgbImage* narrow = LoadDibImage(static_cast<const char*>(nullptr));
  RgbImage* wide = LoadDibImage(static_cast<const wchar_t*>(nullptr));
  EXPECT_EQ(chdir(previous), 0);
  std::free(previous);
  EXPECT_EQ(narrow, nullptr);
  EXPECT_EQ(wide, nullptr);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Failed to open DIB file (null).\n");
  EXPECT_EQ(boxes_[1].text, "Failed to open DIB file (null).\n");
}

TEST_F(BitmapLoaderTest, ShowsTheDecodersMessage) {
  BmpLayout layout;
  layout.headerSize = 108;
  RgbImage* image = LoadBitmapFile(write("v4.bmp", BuildBmp(layout)).c_str());
  EXPECT_EQ(image, nullptr);
  expectOneBox("Unknown DIB file format.");

  boxes_.clear();
  Bytes cut = TwoByTwo(2);
  cut.resize(cut.size() - 4);
  EXPECT_EQ(LoadBitmapFile(write("cut.bmp", cut).c_str()), nullptr);
  expectOneBox("Image file conversion error.");

  boxes_.clear();
  layout = BmpLayout();
  layout.width = layout.height = 20000;
  EXPECT_EQ(LoadBitmapFile(write("huge.bmp", BuildBmp(layout)).c_str()), nullptr);
  expectOneBox("Out of memory.");
}

TEST_F(BitmapLoaderTest, ShowsNothingWhileImageErrorsAreOff) {
  showImageErrors = false;
  EXPECT_EQ(LoadDibImage((directory_ + "/missing.bmp").c_str()), nullptr);
  EXPECT_EQ(LoadBitmapFile(write("empty.bmp", {}).c_str()), nullptr);
  EXPECT_EQ(LoadBitmapFile(write("short.bmp", {'B', 'M', 1}).c_str()), nullptr);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BitmapLoaderTest, OpensAndNamesWideFileNamesInUtf8) {
  const std::string utf8Name = "bild-\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80.bmp";  // ä € 😀
  const std::wstring wideDirectory(directory_.begin(), directory_.end());
  const std::wstring wideName = wideDirectory + L"/bild-\u00E4\u20AC\U0001F600.bmp";
  write(utf8Name, TwoByTwo(2));
  RgbImage* image = LoadDibImage(wideName.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(Bytes(image->data, image->data + 12), kTwoByTwoRgb);
  FreeImage(image);

  EXPECT_EQ(LoadDibImage((wideDirectory + L"/\u00E4.bmp").c_str()), nullptr);
  expectOneBox("Failed to open DIB file " + directory_ + "/\xC3\xA4.bmp.\n");
}

TEST_F(BitmapLoaderTest, CutsALongNameSoTheMessageFits256Bytes) {
  const std::string name = "/no/such/" + std::string(400, 'x') + ".bmp";
  EXPECT_EQ(LoadDibImage(name.c_str()), nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  const std::string& text = boxes_[0].text;
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.rfind("Failed to open DIB file /no/such/xxx", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 5), "xxx.\n");
}

}  // namespace
}  // namespace trotix
