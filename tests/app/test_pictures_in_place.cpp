// Pictures read where they lie in the file: the local store's mapped view,
// a file cut short under it, and a job that decrypts from it as it would
// from its own copy of the picture, or encrypts from it as from a copy.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "app/local_file_store.h"
#include "app/stego_job.h"
#include "platform/mapped_file.h"
#include "stego/encryptor.h"
#include "stego/engine_ports.h"
#include "stego/random_source.h"
#include "store_folder.h"
#include "tests/stego/bmp_fixture.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using workflow_test::BmpOfDepth;
using workflow_test::Window;

class InPlace : public workflow_test::StoreFolder {
 protected:
  InPlace() : StoreFolder("hushlake-in-place-") {}
};

TEST_F(InPlace, TheStoreShowsTheRowsItsPictureReadGives) {
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    const Picture picture = test::RandomPicture(37, 21, format, 9);
    store_.WritePictureAtomically(Path("p.bmp"), picture);
    const std::optional<PictureInPlace> view = store_.ViewPicture(Path("p.bmp"));
    ASSERT_TRUE(view.has_value());
    const PixelView& pixels = view->pixels;
    ASSERT_EQ(pixels.Width(), picture.Width());
    ASSERT_EQ(pixels.Height(), picture.Height());
    EXPECT_EQ(pixels.Format(), format);
    EXPECT_EQ(pixels.GetPalette(), picture.GetPalette());
    for (int y = 0; y < picture.Height(); ++y)
      EXPECT_TRUE(std::equal(pixels.Row(y), pixels.Row(y) + picture.RowBytes(), picture.Row(y)));
  }
}

TEST_F(InPlace, FilesThatAreNoPictureInPlaceAreLeftToReadPicture) {
  const Picture picture = test::RandomPicture(30, 20, PixelFormat::Bgr24, 3);
  store_.WriteAtomically(Path("p.png"), EncodePicture(picture, PictureFileKind::Png, {}));
  store_.WritePictureAtomically(Path("p.bmp"), picture);
  std::vector<std::uint8_t> cut = store_.ReadAll(Path("p.bmp"));
  cut.resize(cut.size() / 2);
  Put("cut.bmp", cut);
  Put("huge.bmp", bmptest::BmpFixture().WithSize(60000, 60000).WithPixels({1, 2, 3, 4}).Build());
  Put("depth16.bmp", BmpOfDepth(16, 30, 30));
  Put("rle.bmp", bmptest::BmpFixture()
                     .WithSize(4, 2)
                     .WithBits(8)
                     .WithCompression(1)
                     .WithAfterHeader(std::vector<std::uint8_t>(1024))
                     .WithPixels({4, 1, 0, 0, 4, 2, 0, 1})
                     .Build());
  for (const char* name : {"p.png", "cut.bmp", "huge.bmp", "depth16.bmp", "rle.bmp", "missing.bmp"})
    EXPECT_FALSE(store_.ViewPicture(Path(name)).has_value()) << name;
  std::filesystem::create_directory(Path("folder.bmp"));
  EXPECT_FALSE(store_.ViewPicture(Path("folder.bmp")).has_value());
}

std::uint64_t SumOf(std::span<const std::uint8_t> bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), std::uint64_t{0});
}

TEST_F(InPlace, AFileCutShortWhileMappedIsAnErrorNamingItNotACrash) {
  const std::size_t size = 5 * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + 123;
  Put("long.bin", std::vector<std::uint8_t>(size, 0x5A));
  const MappedFile file(Path("long.bin"));
  std::uint64_t sum = 0;
  file.Read([&] { sum = SumOf(file.Bytes()); });
  EXPECT_EQ(sum, size * 0x5A);
  std::filesystem::resize_file(Path("long.bin"), 100);
  try {
    file.Read([&] { sum = SumOf(file.Bytes()); });
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("long.bin")), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("shorter"), std::string::npos);
  }
  EXPECT_EQ(sum, 100 * 0x5A);  // what was lost read as zeros
}

// Copies come from the file itself, the bytes Bytes shows at the same
// place; a cut is an error naming the file, as a load from the mapping is.
TEST_F(InPlace, ACopyFromAFileCutShortIsAnErrorNamingIt) {
  const std::size_t size = 3 * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + 77;
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
  Put("long.bin", bytes);
  const MappedFile file(Path("long.bin"));
  std::vector<std::uint8_t> copy(size - 50);
  file.Read([&] { file.Copy(file.Bytes().data() + 50, copy); });
  EXPECT_TRUE(std::equal(copy.begin(), copy.end(), bytes.begin() + 50));
  EXPECT_THROW(file.Copy(file.Bytes().data() + 51, copy), std::runtime_error);  // past the end
  // Cut between two copies of the same read.
  try {
    file.Read([&] {
      file.Copy(file.Bytes().data(), std::span(copy).first(10));
      std::filesystem::resize_file(Path("long.bin"), 150);
      file.Copy(file.Bytes().data() + 50, copy);
    });
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("long.bin")), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("shorter"), std::string::npos);
  }
  // What is left still reads.
  file.Read([&] { file.Copy(file.Bytes().data(), std::span(copy).first(150)); });
  EXPECT_TRUE(std::equal(copy.begin(), copy.begin() + 150, bytes.begin()));
}

// The guard is only around Read: a bus error elsewhere still ends the
// process as it did before (with the sanitisers' own handler, in an error).
TEST_F(InPlace, ABusErrorOutsideAReadStillEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::size_t size = 3 * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  Put("short.bin", std::vector<std::uint8_t>(size, 1));
  const MappedFile file(Path("short.bin"));
  file.Read([&] { EXPECT_EQ(SumOf(file.Bytes()), size); });
  std::filesystem::resize_file(Path("short.bin"), 10);
  const auto died = [](int status) {
    return WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0);
  };
  EXPECT_EXIT(
      {
        volatile std::uint8_t last = file.Bytes()[size - 1];
        (void)last;
        std::_Exit(0);
      },
      died, "");
}

// A job over the files on disk, with a clock that ticks alike in every job.
struct JobOnDisk {
  LocalFileStore files;
  PictureJob job{files, EngineClock{[ticks = std::uint64_t{77}]() mutable {
                                      return std::optional<std::uint64_t>(ticks += 1000);
                                    },
                                    [] { return 5u; }, [] { return 1234; }}};

  JobOutcome Open(const std::string& path, PictureUse use) {
    return job.Open(PictureSource::File(path), use);
  }
  JobOutcome Encrypt(const std::string& text) {
    return job.Encrypt({CipherChoice{}, SecretString("a key of some length"), SecretString(text)});
  }
  JobOutcome Decrypt(const std::string& keyText) {
    return job.Decrypt({CipherChoice{}, SecretString(keyText)});
  }
};

// What a front end shows of an outcome.
void ExpectSameOutcome(const JobOutcome& got, const JobOutcome& expected) {
  EXPECT_EQ(got.status, expected.status);
  EXPECT_EQ(got.message, expected.message);
  EXPECT_EQ(got.reason, expected.reason);
  EXPECT_EQ(got.messageBesideReason, expected.messageBesideReason);
  EXPECT_EQ(got.text.PlainCopy(), expected.text.PlainCopy());
  EXPECT_EQ(got.decipheredUtf8, expected.decipheredUtf8);
  EXPECT_EQ(got.positionsAvailable, expected.positionsAvailable);
  EXPECT_EQ(got.symbolsNeeded, expected.symbolsNeeded);
}

// A picture with Text hidden by the window, saved as a BMP file at Path.
void HideInFile(PixelFormat format, const std::string& text, const std::string& path) {
  Window w;
  w.files.PutPicture("in.bmp", test::RandomPicture(61, 47, format, 11));
  w.Open("in.bmp");
  w.editor.text = text;
  w.key.text = "a key of some length";
  w.Encrypt();
  w.SaveImageAs("out.bmp");
  const std::vector<std::uint8_t>& bytes = w.files.files.at("out.bmp");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST_F(InPlace, AJobReadingInPlaceDecryptsAsFromItsOwnCopy) {
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    HideInFile(format, "a text in a file", Path("hidden.bmp"));
    for (const std::string& key :
         {std::string("a key of some length"), std::string("wrong key!!")}) {
      JobOnDisk copying;
      JobOnDisk inPlace;
      ExpectSameOutcome(inPlace.Open(Path("hidden.bmp"), PictureUse::ReadOnly),
                        copying.Open(Path("hidden.bmp"), PictureUse::Edit));
      ExpectSameOutcome(inPlace.Decrypt(key), copying.Decrypt(key));
      // The capacity the editor shows.
      EXPECT_EQ(EditorCapacity(inPlace.job.Shape()), EditorCapacity(copying.job.Shape()));
      EXPECT_EQ(inPlace.job.Palette(), copying.job.Palette());
      EXPECT_TRUE(inPlace.job.Original().Empty());  // no copy was made
      EXPECT_FALSE(copying.job.Original().Empty());
    }
    JobOnDisk inPlace;
    inPlace.Open(Path("hidden.bmp"), PictureUse::ReadOnly);
    EXPECT_EQ(inPlace.Decrypt("a key of some length").text.PlainCopy(), "a text in a file");
    EXPECT_FALSE(inPlace.job.CanEncrypt());
  }
  // Files that are not read in place, refused or not, give the same outcomes.
  Put("depth16.bmp", BmpOfDepth(16, 30, 30));
  Put("garbage.bmp", std::vector<std::uint8_t>(300, 'x'));
  store_.WriteAtomically(
      Path("p.png"),
      EncodePicture(test::RandomPicture(30, 30, PixelFormat::Bgr24, 2), PictureFileKind::Png, {}));
  for (const char* name : {"depth16.bmp", "garbage.bmp", "p.png", "missing.bmp"}) {
    SCOPED_TRACE(name);
    JobOnDisk copying;
    JobOnDisk inPlace;
    ExpectSameOutcome(inPlace.Open(Path(name), PictureUse::ReadOnly),
                      copying.Open(Path(name), PictureUse::Edit));
    EXPECT_EQ(inPlace.job.Loaded(), copying.job.Loaded());
    if (!copying.job.Loaded()) continue;
    ExpectSameOutcome(inPlace.Decrypt("a key of some length"),
                      copying.Decrypt("a key of some length"));
  }
}

// Hands each copy on to the file, cutting the file short before the copy
// CutAt: a file that shrinks while its positions are read.
class CuttingReader : public PixelBytesReader {
 public:
  CuttingReader(const MappedFile& file, std::string path, int cutAt)
      : file_(file), path_(std::move(path)), cutAt_(cutAt) {}
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override {
    if (++copies_ == cutAt_) std::filesystem::resize_file(path_, 3000);
    file_.Copy(from, into);
  }
  int Copies() const { return copies_; }

 private:
  const MappedFile& file_;
  std::string path_;
  int cutAt_;
  mutable int copies_ = 0;
};

TEST_F(InPlace, AFileCutShortWhileDecryptCopiesItsPositionsEndsInAnError) {
  const std::string key = "an engine key";
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    Picture source = test::RandomPicture(500, 300, format, 21);
    StoredPicture hidden;
    StringTextHolder text(std::string(20000, 'w'));
    RandomSource random;
    TEncryptor engine(source, hidden, SecretString(key), text, random);
    engine.SetTextLength(20000);
    ASSERT_TRUE(engine.Encrypt().Succeeded());
    // Cut before the first copy, and before the last one an uncut read makes.
    int copies = 0;
    for (bool uncut : {true, false}) {
      for (int cutAt : uncut ? std::vector<int>{0} : std::vector<int>{1, copies}) {
        SCOPED_TRACE("format " + std::to_string(static_cast<int>(format)) + ", cut before copy " +
                     std::to_string(cutAt));
        store_.WritePictureAtomically(Path("hidden.bmp"), hidden.picture);
        const std::optional<PictureInPlace> view = store_.ViewPicture(Path("hidden.bmp"));
        ASSERT_TRUE(view.has_value());
        const auto& file = dynamic_cast<const MappedFile&>(*view->file);
        const CuttingReader reader(file, Path("hidden.bmp"), cutAt);
        EngineOutcome outcome;
        const auto decrypt = [&] {
          outcome = DecryptPixels(view->pixels.CopiedThrough(reader), SecretString(key));
        };
        if (uncut) {
          file.Read(decrypt);
          EXPECT_EQ(outcome.text.PlainCopy(), std::string(20000, 'w'));
          copies = reader.Copies();
          EXPECT_GT(copies, 1);
          continue;
        }
        try {
          file.Read(decrypt);
          ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& error) {
          EXPECT_NE(std::string(error.what()).find("shorter"), std::string::npos);
        }
        EXPECT_EQ(reader.Copies(), cutAt);
      }
    }
  }
}

std::vector<std::uint8_t> WithTrailer(std::vector<std::uint8_t> file) {
  file.insert(file.end(), {1, 2, 3, 4, 5});
  return file;
}

// An 8-bit file whose colour table is short: the new file gets a whole one,
// so it cannot be written straight from the source.
std::vector<std::uint8_t> ShortTablePicture() {
  std::vector<std::uint8_t> table;
  for (int i = 0; i < 16; ++i)
    for (int b : {i * 16, 255 - i * 16, i * 5, 0}) table.push_back(static_cast<std::uint8_t>(b));
  std::vector<std::uint8_t> rows(40 * 30);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<std::uint8_t>(i * 7 % 16);
  return bmptest::BmpFixture()
      .WithBits(8)
      .WithColors(16)
      .WithSize(40, 30)
      .WithAfterHeader(table)
      .WithPixels(rows)
      .Build();
}

// Written straight from the source file, band by band, or from the job's
// copy of the picture: the same file, the same outcomes, for a BMP or PNG
// target. A file that cannot be written from itself is read as before.
TEST_F(InPlace, EncryptFromFileSavesWhatEncryptOnceSaves) {
  struct Source {
    std::string name;
    std::vector<std::uint8_t> bytes;
    bool fromTheFile;
  };
  std::vector<Source> sources = {{"short table", ShortTablePicture(), false}};
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Bgrx32, PixelFormat::Indexed8}) {
    for (const auto& [width, height] : {std::pair{61, 47}, std::pair{700, 800}}) {
      store_.WritePictureAtomically(Path("source.bmp"),
                                    test::RandomPicture(width, height, format, 4));
      sources.push_back({std::to_string(width) + " " + std::to_string(static_cast<int>(format)),
                         WithTrailer(store_.ReadAll(Path("source.bmp"))), true});
    }
  }
  for (const Source& source : sources) {
    Put("source.bmp", source.bytes);
    for (const char* out : {"out.bmp", "out.png"}) {
      SCOPED_TRACE(source.name + " " + out);
      JobOnDisk fromCopy;
      JobOnDisk fromFile;
      ExpectSameOutcome(fromFile.Open(Path("source.bmp"), PictureUse::EncryptFromFile),
                        fromCopy.Open(Path("source.bmp"), PictureUse::EncryptOnce));
      ExpectSameOutcome(fromFile.Encrypt("a hidden text"), fromCopy.Encrypt("a hidden text"));
      // No picture was made where the file could serve.
      EXPECT_EQ(fromFile.job.Result().Empty(), source.fromTheFile);
      const PictureFileKind kind =
          std::string(out) == "out.png" ? PictureFileKind::Png : PictureFileKind::Bmp;
      fromCopy.job.Save({kind, Path(std::string("a-") + out)});
      fromFile.job.Save({kind, Path(std::string("b-") + out)});
      ASSERT_TRUE(std::filesystem::exists(Path(std::string("a-") + out)));
      EXPECT_EQ(store_.ReadAll(Path(std::string("b-") + out)),
                store_.ReadAll(Path(std::string("a-") + out)));
    }
  }
}

// Changes planned for one file must never reach another.
TEST_F(InPlace, ChangesPlannedForAFileGoWithIt) {
  store_.WritePictureAtomically(Path("source.bmp"),
                                test::RandomPicture(64, 48, PixelFormat::Bgr24, 4));
  store_.WritePictureAtomically(Path("other.bmp"),
                                test::RandomPicture(64, 48, PixelFormat::Bgr24, 5));
  JobOnDisk job;
  ASSERT_TRUE(job.Open(Path("source.bmp"), PictureUse::EncryptFromFile).Succeeded());
  ASSERT_TRUE(job.Encrypt("a hidden text").Succeeded());
  EXPECT_TRUE(job.job.HasResult());
  EXPECT_TRUE(job.job.Result().Empty());  // only planned
  ASSERT_TRUE(job.Open(Path("other.bmp"), PictureUse::EncryptFromFile).Succeeded());
  EXPECT_FALSE(job.job.HasResult());
}

TEST_F(InPlace, ASourceCutShortBeforeSaveEndsInAnErrorAndNoFile) {
  store_.WritePictureAtomically(Path("source.bmp"),
                                test::RandomPicture(400, 300, PixelFormat::Bgr24, 4));
  JobOnDisk job;
  ASSERT_TRUE(job.Open(Path("source.bmp"), PictureUse::EncryptFromFile).Succeeded());
  ASSERT_TRUE(job.Encrypt("a hidden text").Succeeded());
  std::filesystem::resize_file(Path("source.bmp"), 5000);
  try {
    job.job.Save({PictureFileKind::Bmp, Path("out.bmp")});
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("source.bmp")), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("shorter"), std::string::npos);
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"source.bmp"});
}

TEST_F(InPlace, AFileCutShortBeforeDecryptEndsInAnErrorNotAText) {
  HideInFile(PixelFormat::Bgr24, "a text in a file", Path("hidden.bmp"));
  JobOnDisk job;
  ASSERT_TRUE(job.Open(Path("hidden.bmp"), PictureUse::ReadOnly).Succeeded());
  ASSERT_TRUE(job.job.Original().Empty());  // read in place
  std::filesystem::resize_file(Path("hidden.bmp"), 200);
  try {
    job.Decrypt("a key of some length");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(Path("hidden.bmp")), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("shorter"), std::string::npos);
  }
}

}  // namespace
}  // namespace hushlake
