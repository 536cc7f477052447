// Tevanor.exe, a windowed program without a console.
#include "platform/win32/app/tevanor_program.h"

int main() {
  return tevanor::win32::RunTevanor();
}
