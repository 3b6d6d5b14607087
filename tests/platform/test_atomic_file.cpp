#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "tests/common/file_folder.h"

namespace hushlake {
namespace {

using Piece = std::span<const std::uint8_t>;

class AtomicFile : public test::FileFolder {
 protected:
  AtomicFile() : FileFolder("hushlake_atomic_") {}
};

// Pieces of every size from none to a few thousand bytes, more of them than
// one gathered write takes, cut from one pattern so that a piece written
// twice, skipped or misplaced shows.
TEST_F(AtomicFile, GatheredPiecesArriveInOrderAndReplaceTheOldFile) {
  std::vector<std::uint8_t> pattern(3000 * 40);
  for (std::size_t i = 0; i < pattern.size(); ++i)
    pattern[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  std::vector<Piece> pieces;
  std::size_t at = 0;
  for (std::size_t i = 0; i < 3000; ++i) {
    const std::size_t size = (i * 37) % 61;  // includes empty pieces
    pieces.emplace_back(pattern.data() + at, size);
    at += size;
  }
  const std::vector<std::uint8_t> expected(pattern.begin(), pattern.begin() + at);
  const std::string path = (folder_ / "out.bin").string();
  WriteFileAtomically(path, std::vector<std::uint8_t>{1, 2, 3});

  AtomicFileWriter writer(path);
  writer.Write(std::span<const Piece>(pieces));
  writer.Commit();

  EXPECT_EQ(Contents(path), expected);
  EXPECT_EQ(Listing(), std::vector<std::string>{"out.bin"});
}

// Bytes are held back until a whole aligned piece of 2 MiB can go out; what
// arrives in any cut, straddling those boundaries or landing on them, and
// the held-back tail, must all reach the file once and in order.
TEST_F(AtomicFile, LargeFilesArriveWholeHoweverTheyAreCut) {
  constexpr std::size_t MiB = std::size_t{1} << 20;
  std::vector<std::uint8_t> pattern(9 * MiB + 12345);
  for (std::size_t i = 0; i < pattern.size(); ++i)
    pattern[i] = static_cast<std::uint8_t>(i * 13 + i / 4093);
  const struct {
    const char* name;
    std::vector<std::size_t> cuts;  // sizes of the writes, the rest in one last
  } cases[] = {
      {"one write", {}},
      {"a header, then row bands", {54, 252000, 252000, 252000, 252000, 252000, 252000, 252000}},
      {"exactly on the boundaries", {2 * MiB, 2 * MiB, 4 * MiB}},
      {"one byte short of them, then across", {2 * MiB - 1, 2, 2 * MiB - 1, 3 * MiB}},
      {"small, then more than a piece", {1, 5 * MiB}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (folder_ / "big.bin").string();
    AtomicFileWriter writer(path, FileAccess::AsReplaced, Replacing::Anything);
    std::size_t at = 0;
    for (const std::size_t cut : c.cuts) {
      writer.Write(Piece(pattern.data() + at, cut));
      at += cut;
    }
    writer.Write(Piece(pattern.data() + at, pattern.size() - at));
    writer.Commit();
    EXPECT_EQ(Contents(path), pattern);
  }
}

// A file size limit cuts a gathered write short inside a piece and then
// refuses the rest: the failure is reported, and the old file and nothing
// else stays.
TEST_F(AtomicFile, AWriteCutShortFailsAndKeepsTheOldFile) {
  const std::string path = (folder_ / "out.bin").string();
  const std::vector<std::uint8_t> old{9, 8, 7};
  WriteFileAtomically(path, old);
  const std::vector<std::uint8_t> bytes(100000, 0x42);
  const std::vector<Piece> pieces{Piece(bytes).first(30000), Piece(bytes).subspan(30000)};

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 45000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  bool failed = false;
  try {
    AtomicFileWriter writer(path);
    writer.Write(std::span<const Piece>(pieces));
    writer.Commit();
  } catch (const EFileWrite&) {
    failed = true;
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_TRUE(failed);
  EXPECT_EQ(Contents(path), old);
  EXPECT_EQ(Listing(), std::vector<std::string>{"out.bin"});
}

}  // namespace
}  // namespace hushlake
