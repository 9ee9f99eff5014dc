#include "BatchRun.h"

#include "console/ConsoleToolStatus.h"
#include "console/InputFile.h"
#include "console/TsvLine.h"
#include "common/CommandLine.h"
#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <filesystem>

// Blocks are computed on other threads where the standard library has
// them (not in MinGW's win32 thread model); otherwise one after the other.
#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#define PELVORN_BATCH_THREADS 1
#include <future>
#include <thread>
#endif

namespace pelvorn {
namespace {

// Lines are read and computed in blocks. While one block is being
// written, the next ones are computed on other threads; at most a few
// blocks are alive at any time, so memory does not grow with the input.
constexpr std::size_t ChunkSize = 1 << 16;
constexpr std::size_t LinesPerBlock = 4096;
// Longer lines are refused anyway (LongestCommandLine characters, at most
// three bytes each in UTF-8); they are not kept whole.
constexpr std::size_t LongestKeptLine = 3 * LongestCommandLine + 8;
// Windows editors start UTF-8 files with it.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Returns the position of the first CR or LF in `data`, or npos. (A plain
// loop: find_first_of calls memchr on the set once per byte.)
std::size_t LineEnd(std::string_view data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '\n' || data[i] == '\r') return i;
  }
  return std::string_view::npos;
}

std::string TooLongReason() {
  return Fill(text::LineTooLong, {std::to_string(LongestCommandLine)});
}

// Consecutive lines of one input, then what they gave.
struct Block {
  const std::string* name = nullptr;
  std::size_t firstNumber = 0;  // line number of the first line
  std::string text;             // the lines one after the other
  struct Entry {
    std::size_t offset;
    std::size_t length;
    bool tooLong;
  };
  std::vector<Entry> lines;

  std::string output;           // one line per entry
  std::string messages;         // "FILE:LINE: reason" lines
  bool withoutResult = false;
};

Block Compute(Block block, BatchFormat format, const NumberLocale& locale) {
  block.output.reserve(block.lines.size() * 72);
  std::size_t number = block.firstNumber;
  for (const Block::Entry& entry : block.lines) {
    std::string reason;
    if (entry.tooLong) {
      if (format == BatchFormat::Tsv) block.output += "\t\t\t\t\t\t";
      reason = TooLongReason();
    } else {
      const std::string_view line(block.text.data() + entry.offset, entry.length);
      reason = AppendBatchLine(line, format, locale, block.output);
    }
    block.output += '\n';
    if (!reason.empty()) {
      block.withoutResult = true;
      block.messages += *block.name + ":" + std::to_string(number) + ": " + reason + "\n";
    }
    ++number;
  }
  block.text.clear();
  block.text.shrink_to_fit();
  return block;
}

class Run {
public:
  Run(BatchFormat format, const NumberLocale& locale, std::FILE* out, std::FILE* err)
      : format_(format), locale_(locale), out_(out), err_(err),
        blocksInFlight_(BlocksInFlight()) {
    if (format_ == BatchFormat::Tsv) Write(std::string(TsvHeader) + "\n", {});
  }

  // Reads `stream` to its end; one output line per input line. A line ends
  // in LF, CR LF or a lone CR; a UTF-8 byte order mark at the start is skipped.
  void Lines(std::FILE* stream, const std::string& name) {
    Block block = Fresh(name, 1);
    std::string carried;   // the start of a line that runs over a chunk boundary
    bool overlong = false; // the current line is too long and being skipped
    bool afterCr = false;  // the last line ended in a CR: an LF right after it belongs to it
    bool atStart = true;   // nothing read yet
    std::vector<char> chunk(ChunkSize);
    auto finishLine = [&](std::string_view piece) {
      if (overlong || carried.size() + piece.size() > LongestKeptLine) {
        block.lines.push_back({0, 0, true});
      } else {
        block.lines.push_back({block.text.size(), carried.size() + piece.size(), false});
        block.text += carried;
        block.text += piece;
      }
      carried.clear();
      overlong = false;
      if (block.lines.size() == LinesPerBlock) {
        const std::size_t next = block.firstNumber + block.lines.size();
        Submit(std::move(block));
        block = Fresh(name, next);
      }
    };
    // Once the output cannot be written (a reader that went away), the
    // rest of the input is not read.
    while (!writeFailed_) {
      const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), stream);
      std::string_view data(chunk.data(), got);
      if (atStart) {
        // fread fills the chunk unless the input ends, so a mark is never split.
        if (data.starts_with(ByteOrderMark)) data.remove_prefix(ByteOrderMark.size());
        atStart = false;
      }
      while (!data.empty()) {
        if (afterCr && data.front() == '\n') data.remove_prefix(1);
        afterCr = false;
        if (data.empty()) break;
        const std::size_t feed = LineEnd(data);
        if (feed == std::string_view::npos) {
          if (!overlong && carried.size() + data.size() > LongestKeptLine) {
            overlong = true;
            carried.clear();
          }
          if (!overlong) carried.append(data);
          break;
        }
        finishLine(data.substr(0, feed));
        afterCr = data[feed] == '\r';
        data.remove_prefix(feed + 1);
      }
      if (got < chunk.size()) break;
    }
    const bool failed = std::ferror(stream) != 0;
    const int error = errno;
    // A last line without a line end.
    if (overlong || !carried.empty()) finishLine({});
    Submit(std::move(block));
    if (failed) Fail(Fill(text::ErrorLine, {Fill(text::ReadError, {name, SystemErrorText(error)})}));
  }

  // Reports an input that cannot be read, in order with the other messages.
  void Fail(const std::string& message) {
    Drain();
    Write({}, message);
    unreadable_ = true;
  }

  bool OutputFailed() const { return writeFailed_; }

  int Finish() {
    Drain();
    if (std::fflush(out_) != 0 || std::ferror(out_)) WriteFailed();
    if (unreadable_ || writeFailed_) return ToolInputUnreadable;
    return withoutResult_ ? ToolSomeDiffer : ToolSuccess;
  }

private:
  Block Fresh(const std::string& name, std::size_t firstNumber) {
    Block block;
    block.name = &name;
    block.firstNumber = firstNumber;
    block.text.reserve(LinesPerBlock * 24);
    block.lines.reserve(LinesPerBlock);
    return block;
  }

  static std::size_t BlocksInFlight() {
#ifdef PELVORN_BATCH_THREADS
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
#else
    return 1;
#endif
  }

  void Submit(Block block) {
    if (block.lines.empty()) return;
#ifdef PELVORN_BATCH_THREADS
    if (blocksInFlight_ > 1) {
      inFlight_.push_back(std::async(std::launch::async, Compute, std::move(block), format_, std::cref(locale_)));
      if (inFlight_.size() >= blocksInFlight_) {
        Done(inFlight_.front().get());
        inFlight_.pop_front();
      }
      return;
    }
#endif
    Done(Compute(std::move(block), format_, locale_));
  }

  void Drain() {
#ifdef PELVORN_BATCH_THREADS
    while (!inFlight_.empty()) {
      Done(inFlight_.front().get());
      inFlight_.pop_front();
    }
#endif
  }

  void Done(const Block& block) {
    withoutResult_ = withoutResult_ || block.withoutResult;
    Write(block.output, block.messages);
  }

  void Write(const std::string& output, const std::string& messages) {
    if (!writeFailed_ && std::fwrite(output.data(), 1, output.size(), out_) != output.size()) WriteFailed();
    if (!messages.empty()) {
      std::fflush(out_);
      std::fwrite(messages.data(), 1, messages.size(), err_);
    }
  }

  void WriteFailed() {
    if (!writeFailed_) std::fputs(Fill(text::ErrorLine, {text::OutputNotWritable}).c_str(), err_);
    writeFailed_ = true;
  }

  BatchFormat format_;
  const NumberLocale& locale_;
  std::FILE* out_;
  std::FILE* err_;
  std::size_t blocksInFlight_;
#ifdef PELVORN_BATCH_THREADS
  std::deque<std::future<Block>> inFlight_;
#endif
  bool withoutResult_ = false;
  bool unreadable_ = false;
  bool writeFailed_ = false;
};

}  // namespace

int RunBatch(const std::vector<std::string>& files, BatchFormat format, const NumberLocale& locale,
             std::FILE* in, std::FILE* out, std::FILE* err) {
  Run run(format, locale, out, err);
  const std::string standardInput = "-";
  if (files.empty()) run.Lines(in, standardInput);
  for (const std::string& file : files) {
    if (run.OutputFailed()) break;
    if (file == "-") {
      run.Lines(in, file);
      continue;
    }
    std::FILE* stream = OpenForReading(file);
    if (stream == nullptr) {
      const std::string why = Fill(text::About, {text::CannotRead, SystemErrorText(errno)});
      run.Fail(Fill(text::ErrorLine, {Fill(text::About, {file, why})}));
      continue;
    }
    run.Lines(stream, file);
    std::fclose(stream);
  }
  return run.Finish();
}

}  // namespace pelvorn
