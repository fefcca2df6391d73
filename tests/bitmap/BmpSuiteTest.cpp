// Every picture of the public BMP test suite, as MANIFEST.tsv says: `decode`
// files match their PPM reference, `refuse: TEXT` files are refused with
// TEXT, `safe` files load or are refused without harm (the sanitizer build
// checks the "without harm").
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "view/BitmapLoader.h"
#include "view/MessageBox.h"

namespace trotix {
namespace {

const std::string kSuiteDirectory = TROTIX_BMPSUITE_DIR;

struct ManifestLine {
  std::string file;
  std::string expect;
  std::string reference;
};

std::vector<ManifestLine> ReadManifest() {
  std::ifstream in(kSuiteDirectory + "/MANIFEST.tsv");
  std::vector<ManifestLine> lines;
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ManifestLine entry;
    std::getline(fields, entry.file, '\t');
    std::getline(fields, entry.expect, '\t');
    std::getline(fields, entry.reference, '\t');
    if (!entry.file.empty()) lines.push_back(entry);
  }
  return lines;
}

struct Ppm {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // top row first
};

bool ReadPpm(const std::string& path, Ppm* ppm) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> ppm->width >> ppm->height >> maximum;
  in.get();  // the one whitespace byte before the pixels
  if (magic != "P6" || maximum != 255) return false;
  ppm->rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return ppm->rgb.size() == static_cast<std::size_t>(ppm->width) * ppm->height * 3;
}

void ExpectMatchesReference(const RgbImage& image, const std::string& reference) {
  Ppm ppm;
  ASSERT_TRUE(ReadPpm(kSuiteDirectory + "/" + reference, &ppm)) << reference;
  ASSERT_EQ(image.width, ppm.width);
  ASSERT_EQ(image.height, ppm.height);
  const std::size_t rowBytes = static_cast<std::size_t>(ppm.width) * 3;
  int differing = 0;
  for (int y = 0; y < ppm.height; ++y) {
    const unsigned char* ours = image.data + y * rowBytes;
    const unsigned char* theirs = ppm.rgb.data() + (ppm.height - 1 - y) * rowBytes;
    for (std::size_t i = 0; i < rowBytes; ++i) differing += ours[i] != theirs[i];
  }
  EXPECT_EQ(differing, 0) << "bytes differing from " << reference;
}

TEST(BmpSuite, EveryFileDoesWhatTheManifestSays) {
  const std::vector<ManifestLine> manifest = ReadManifest();
  ASSERT_GE(manifest.size(), 40u) << "no manifest in " << kSuiteDirectory;
  std::vector<std::string> messages;
  const MessageBoxSink previous = SetMessageBoxSinkForTesting(
      [&messages](const std::string& text, const std::string&, MessageIcon, MessageOwner) {
        messages.push_back(text);
      });
  const std::string kRefuse = "refuse: ";
  for (const ManifestLine& entry : manifest) {
    SCOPED_TRACE(entry.file + " (" + entry.expect + ")");
    messages.clear();
    RgbImage* image = LoadBitmapFile((kSuiteDirectory + "/" + entry.file).c_str());
    if (entry.expect == "decode") {
      EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0]);
      if (image != nullptr) ExpectMatchesReference(*image, entry.reference);
      EXPECT_NE(image, nullptr);
    } else if (entry.expect.rfind(kRefuse, 0) == 0) {
      EXPECT_EQ(image, nullptr);
      EXPECT_EQ(messages, std::vector<std::string>{entry.expect.substr(kRefuse.size())});
    } else {
      EXPECT_EQ(entry.expect, "safe");
      EXPECT_LE(messages.size(), 1u);
    }
    if (image != nullptr) {
      std::free(image->data);
      std::free(image);
    }
  }
  SetMessageBoxSinkForTesting(previous);
}

}  // namespace
}  // namespace trotix
