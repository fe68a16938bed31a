#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// What every fuzz target shares: turning the fuzzer's bytes into text, and stopping the run with
// a readable account when a property does not hold (libFuzzer then keeps the input as a crash
// file, which becomes a seed of the target's corpus once the fault is mended).
namespace vantorel::fuzz {

// Prints the property, the detail and the input's text, then aborts.
void require(bool holds, const char* property, const QString& detail = {});

// The bytes as UTF-8 text; bytes that are no UTF-8 become U+FFFD.
QString utf8Text(const std::uint8_t* data, std::size_t size);

// The bytes as UTF-16 code units, so a target also meets lone surrogates, which UTF-8 text never
// carries. An odd last byte is dropped.
QString utf16Text(const std::uint8_t* data, std::size_t size);

// Text with control characters and non-ASCII written as \uXXXX, for messages.
QString visible(const QString& text);

// A Qt Core application object for code that lets pending events run.
void ensureApplication();

} // namespace vantorel::fuzz
