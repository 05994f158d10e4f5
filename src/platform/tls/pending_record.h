#pragma once
// A send on a secure socket that answered would-block may already have put its bytes into a
// record that went out in part. The caller repeats the send with the same bytes, and only those
// may finish the record. A send of other bytes would have to follow a record the server holds
// only part of: nothing can go over that connection any more.

#include <cstddef>
#include <cstring>
#include <string>

namespace vantrel::platform::tls {

class PendingRecord {
 public:
  enum class Turn {
    Fresh,   // nothing is held: the bytes go into a new record
    Repeat,  // the held bytes are asked for again: finish their record, then answer taken()
    Broken,  // a record was abandoned half-sent: this send and every later one fail
  };

  // What the send of `length` bytes at `data` is.
  Turn begin(const char* data, std::size_t length) {
    if (broken_) return Turn::Broken;
    if (held_.empty()) return Turn::Fresh;
    if (length >= held_.size() && std::memcmp(data, held_.data(), held_.size()) == 0) {
      return Turn::Repeat;
    }
    broken_ = true;
    held_.clear();
    return Turn::Broken;
  }

  // A send that put `length` bytes of `data` into a record could not send all of that record.
  void hold(const char* data, std::size_t length) { held_.assign(data, length); }

  // The count of the held bytes, whose record has now gone whole; nothing is held any more.
  long taken() {
    const auto count = static_cast<long>(held_.size());
    held_.clear();
    return count;
  }

 private:
  std::string held_;
  bool broken_ = false;
};

}  // namespace vantrel::platform::tls
