// Direct access to the PC speaker's timer and control ports. Only the older Windows family
// lets a program do this; on the NT family the instructions fault, so the program never calls
// these there (it plays its melody with Beep instead).
#pragma once

#include <cstdint>

void WritePort(uint16_t port, uint8_t value);
uint8_t ReadPort(uint16_t port);
