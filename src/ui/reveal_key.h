#pragma once

namespace tevanor {

// The hidden reveal of the editing dialogs: the 21st consecutive press of one letter key in a
// list also shows the built-in entries. Any other key starts the count again.
class RevealKey {
 public:
  static constexpr unsigned kKey = 'B';
  static constexpr int kPresses = 21;

  // True on the press that reveals; the count then starts again.
  bool Press(unsigned key) {
    if (key != kKey) return (count_ = 0), false;
    if (++count_ < kPresses) return false;
    count_ = 0;
    return true;
  }

 private:
  int count_ = 0;
};

}  // namespace tevanor
