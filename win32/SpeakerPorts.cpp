#include "win32/SpeakerPorts.h"

#if defined(_MSC_VER)
#include <intrin.h>
void WritePort(uint16_t port, uint8_t value) { __outbyte(port, value); }
uint8_t ReadPort(uint16_t port) { return __inbyte(port); }
#else
void WritePort(uint16_t port, uint8_t value) {
  __asm__ __volatile__("outb %0, %1" : : "a"(value), "Nd"(port));
}
uint8_t ReadPort(uint16_t port) {
  uint8_t value;
  __asm__ __volatile__("inb %1, %0" : "=a"(value) : "Nd"(port));
  return value;
}
#endif
