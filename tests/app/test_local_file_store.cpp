// The local file store every front end reads through: whole files of any
// size, pictures read straight into their pixels, and failures that name the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/local_file_store.h"
#include "store_folder.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

class LocalFiles : public workflow_test::StoreFolder {
 protected:
  LocalFiles() : StoreFolder("hushlake-store-") {}
};

TEST_F(LocalFiles, ReadAllGivesEveryByte) {
  std::mt19937 generator(3);
  // Empty, one byte, and more than one read chunk with a ragged end.
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{3 * 256 * 1024 + 17}}) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
    Put("file.bin", bytes);
    EXPECT_EQ(store_.ReadAll(Path("file.bin")), bytes) << size;
  }
}

TEST_F(LocalFiles, MissingFilesAreErrorsThatNameTheFile) {
  EXPECT_FALSE(store_.Exists(Path("missing.txt")));
  EXPECT_FALSE(store_.Exists(folder_.string()));  // a folder is no file to open
  try {
    store_.ReadAll(Path("missing.txt"));
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("missing.txt")), std::string::npos);
  }
  const PictureReadResult picture = store_.ReadPicture(Path("missing.bmp"));
  EXPECT_EQ(picture.status, PictureReadStatus::Malformed);
  EXPECT_NE(picture.error.find(Path("missing.bmp")), std::string::npos);
}

TEST_F(LocalFiles, PicturesReadBackAsWrittenAndAsTheDefaultReaderReadsThem) {
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    const Picture picture = test::RandomPicture(37, 21, format, 7);
    store_.WritePictureAtomically(Path("p.bmp"), picture);
    const PictureReadResult read = store_.ReadPicture(Path("p.bmp"));
    ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
    EXPECT_EQ(read.picture, picture);
    EXPECT_EQ(store_.FileStore::ReadPicture(Path("p.bmp")).picture, picture);
  }
  // A file cut short is refused, not read past its end.
  std::vector<std::uint8_t> bytes = store_.ReadAll(Path("p.bmp"));
  bytes.resize(bytes.size() / 2);
  Put("cut.bmp", bytes);
  EXPECT_EQ(store_.ReadPicture(Path("cut.bmp")).status, PictureReadStatus::Malformed);
}

}  // namespace
}  // namespace hushlake
