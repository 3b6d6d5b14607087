#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "crypto/protection.h"

namespace hushlake {
namespace {

// Records every call and adds a per-object constant to each byte (subtracts
// it when decoding), so the order along a chain shows in the data.
class RecordingProtection : public TProtection {
 public:
  RecordingProtection(std::string name, std::vector<std::string>* log, int delta,
                      ProtectionPtr next = nullptr)
      : TProtection(std::move(next)), name_(std::move(name)), log_(log), delta_(delta) {}
  ~RecordingProtection() override {
    if (log_ != nullptr) log_->push_back(name_ + ":destroyed");
  }

  void BeginProcess(TCodeAction action) override {
    log_->push_back(name_ + ":begin");
    TProtection::BeginProcess(action);
  }
  void EndProcess(TCodeAction action) override {
    TProtection::EndProcess(action);
    log_->push_back(name_ + ":end");
  }
  void ProcessChunk(void* data, int size, TCodeAction action) override {
    if (action != caDecode) TProtection::ProcessChunk(data, size, action);
    log_->push_back(name_ + ":chunk" + std::to_string(size));
    chunkSizes.push_back(size);
    if (action != caCalculate) {
      auto* bytes = static_cast<std::uint8_t*>(data);
      for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(bytes[i] + (action == caDecode ? -delta_ : delta_));
    }
    if (action == caDecode) TProtection::ProcessChunk(data, size, action);
  }

  std::vector<int> chunkSizes;

 private:
  std::string name_;
  std::vector<std::string>* log_;
  int delta_;
};

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 31 + 7);
  return data;
}

TEST(ProcessStream, Cuts10000BytesInto4096ChunksAndWorksInPlace) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  TMemoryStream stream(Pattern(10000));
  stream.Seek(1234);  // a negative size means: all of it, from position 0
  p.ProcessStream(&stream, nullptr, -1, caEncode);
  EXPECT_EQ(p.chunkSizes, (std::vector<int>{4096, 4096, 1808}));
  std::string expected = Pattern(10000);
  for (char& c : expected) c = static_cast<char>(c + 1);
  EXPECT_EQ(stream.Bytes(), expected);
}

TEST(ProcessStream, SizeZeroOnlyBeginsAndEnds) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  TMemoryStream stream(Pattern(10));
  p.ProcessStream(&stream, &stream, 0, caEncode);
  EXPECT_EQ(log, (std::vector<std::string>{"p:begin", "p:end"}));
}

TEST(ProcessStream, CalculateWritesNothing) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  TMemoryStream source(Pattern(5000));
  TMemoryStream dest;
  p.ProcessStream(&source, &dest, -1, caCalculate);
  EXPECT_EQ(p.chunkSizes, (std::vector<int>{4096, 904}));
  EXPECT_EQ(dest.Size(), 0);
}

TEST(ProcessStream, ReportsProgressAndAlwaysEnds) {
  std::vector<std::pair<std::int64_t, std::int64_t>> progress;
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  p.OnProgress = [&](TProtection*, std::int64_t current, std::int64_t maximal) {
    progress.emplace_back(current, maximal);
  };
  TMemoryStream stream(Pattern(5000));
  p.ProcessStream(&stream, &stream, -1, caEncode);
  using Step = std::pair<std::int64_t, std::int64_t>;
  EXPECT_EQ(progress, (std::vector<Step>{{0, 5000}, {4096, 5000}, {5000, 5000}, {0, 0}}));
}

// Two objects at work at once, on two threads, each report to their own
// listener only, and with themselves as the sender.
TEST(ProcessStream, EachObjectReportsToItsOwnListener) {
  struct Worker {
    std::vector<std::string> log;
    RecordingProtection protection{"w", &log, 1};
    std::vector<std::int64_t> maxima;
    bool foreignSender = false;
  };
  Worker first, second;
  for (Worker* worker : {&first, &second}) {
    worker->protection.OnProgress = [worker](TProtection* sender, std::int64_t,
                                             std::int64_t maximal) {
      if (sender != &worker->protection) worker->foreignSender = true;
      worker->maxima.push_back(maximal);
    };
  }
  auto run = [](Worker& worker, std::size_t size) {
    for (int round = 0; round < 50; ++round) {
      TMemoryStream stream(Pattern(size));
      worker.protection.ProcessStream(&stream, &stream, -1, caCalculate);
    }
  };
  std::thread other([&] { run(second, 9000); });
  run(first, 5000);
  other.join();
  for (const auto& [worker, size] : {std::pair{&first, 5000}, std::pair{&second, 9000}}) {
    EXPECT_FALSE(worker->foreignSender);
    for (std::int64_t maximal : worker->maxima) EXPECT_TRUE(maximal == size || maximal == 0);
  }
}

TEST(ProtectionChain, EncodingAppliesTheLinkFirstAndDecodingUndoesIt) {
  std::vector<std::string> log;
  auto b = std::make_shared<RecordingProtection>("B", &log, 3);
  RecordingProtection a("A", &log, 5, b);
  std::string data = "chain";
  a.ProcessBuffer(data.data(), static_cast<int>(data.size()), caEncode);
  EXPECT_EQ(log, (std::vector<std::string>{"A:begin", "B:begin", "B:chunk5", "A:chunk5", "B:end",
                                           "A:end"}));
  log.clear();
  a.ProcessBuffer(data.data(), static_cast<int>(data.size()), caDecode);
  EXPECT_EQ(log[2], "A:chunk5");
  EXPECT_EQ(log[3], "B:chunk5");
  EXPECT_EQ(data, "chain");
}

TEST(ProtectionChain, RefusesCircularLinksAndKeepsTheOldLink) {
  std::vector<std::string> log;
  auto c = std::make_shared<RecordingProtection>("C", &log, 1);
  auto b = std::make_shared<RecordingProtection>("B", &log, 1);
  auto a = std::make_shared<RecordingProtection>("A", &log, 1, c);
  b->SetNextProtection(a);
  try {
    a->SetNextProtection(b);
    FAIL() << "circular link accepted";
  } catch (const EProtection& error) {
    EXPECT_STREQ(error.what(), "Circular Protection detected, Protection Object is invalid.");
  }
  EXPECT_EQ(a->NextProtection(), c);
  EXPECT_THROW(a->SetNextProtection(a), EProtection);
  EXPECT_EQ(a->NextProtection(), c);
  b->SetNextProtection(nullptr);
}

TEST(ProtectionChain, DestroyingTheHeadTearsDownAChainHeldOnlyByLinks) {
  std::vector<std::string> log;
  {
    auto c = std::make_shared<RecordingProtection>("C", &log, 1);
    auto b = std::make_shared<RecordingProtection>("B", &log, 1, c);
    RecordingProtection a("A", &log, 1, b);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"A:destroyed", "B:destroyed", "C:destroyed"}));
}

TEST(ProcessString, EmptyCallsNothingAndFormatsTheResult) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  EXPECT_EQ(p.ProcessString("", caEncode), "");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(p.ProcessString("`ab", caEncode, FormatCopy), "abc");
  EXPECT_EQ(p.ProcessString("YWJj", caDecode, -1), "`ab");
  EXPECT_THROW(p.ProcessString("Y!", caDecode, -1), EStringFormat);
}

TEST(ProcessBuffer, EndsEvenWhenAChunkRaises) {
  class Failing : public TProtection {
   public:
    explicit Failing(std::vector<std::string>* log) : log_(log) {}
    void BeginProcess(TCodeAction) override { log_->push_back("begin"); }
    void EndProcess(TCodeAction) override { log_->push_back("end"); }
    void ProcessChunk(void*, int, TCodeAction) override { throw EProtection("chunk failed"); }

   private:
    std::vector<std::string>* log_;
  };
  std::vector<std::string> log;
  Failing failing(&log);
  char byte = 0;
  EXPECT_THROW(failing.ProcessBuffer(&byte, 1, caEncode), EProtection);
  EXPECT_EQ(log, (std::vector<std::string>{"begin", "end"}));
}

class ProcessFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("hushlake-protection-" +
            std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static void Write(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::filesystem::path dir_;
};

TEST_F(ProcessFileTest, SameNameOrBlankDestinationRewritesInPlace) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  Write(Path("a.bin"), "abc");
  p.ProcessFile(Path("a.bin"), Path("a.bin"), caEncode);
  EXPECT_EQ(Read(Path("a.bin")), "bcd");
  p.ProcessFile(Path("a.bin"), "   ", caEncode);
  EXPECT_EQ(Read(Path("a.bin")), "cde");
}

TEST_F(ProcessFileTest, SeparateDestinationEndsAtTheLastWrittenByte) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  Write(Path("src.bin"), Pattern(5000));
  Write(Path("dst.bin"), std::string(9000, 'x'));
  p.ProcessFile(Path("src.bin"), Path("dst.bin"), caEncode);
  EXPECT_EQ(Read(Path("dst.bin")).size(), 5000u);
  EXPECT_EQ(Read(Path("src.bin")), Pattern(5000));
}

TEST_F(ProcessFileTest, CalculateNeverCreatesTheDestination) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  Write(Path("src.bin"), "abc");
  p.ProcessFile(Path("src.bin"), Path("never.bin"), caCalculate);
  EXPECT_FALSE(std::filesystem::exists(Path("never.bin")));
  EXPECT_EQ(Read(Path("src.bin")), "abc");
}

TEST_F(ProcessFileTest, MissingSourceRaisesAndCreatesNothing) {
  std::vector<std::string> log;
  RecordingProtection p("p", &log, 1);
  EXPECT_THROW(p.ProcessFile(Path("missing.bin"), Path("out.bin"), caEncode), EStreamError);
  EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace hushlake
