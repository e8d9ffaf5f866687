// The converter's stages as the fuzz targets run them: each takes arbitrary bytes and must
// neither crash, hang, leak nor take more than linear time. The libFuzzer programs
// (fuzz_main.cpp) and the regression test (tests/cpp/fuzz_regressions_test.cpp), which runs
// every input kept in tests/fuzz/regressions/TARGET/, call the same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane::fuzz {

// The scanner and the token list: tokenizing, cursor steps to both ends, keyword and statement
// tests, emptying tokens, the sweep of emptied tokens, joining.
void Tokens(const uint8_t* data, size_t size);

// The translation stage as the run performs it, from the assembled source: comment blocks and
// directives, preprocessing, "!" lines, data sections, hoisting, translation, raw blocks,
// directives disabled, post-processing and the ready handler.
void Translation(const uint8_t* data, size_t size);

// Post-processing of a tokenized text.
void PostProcessing(const uint8_t* data, size_t size);

// The six server passes in the run's order, with their server programs written into a scratch
// folder, and the rewrites, dispatchers and parameter maps on the text itself.
void ServerCode(const uint8_t* data, size_t size);

// Page assembly: the first byte chooses encoding, Flask, debugger and library needs; the rest is
// the page template, a zero byte, and the application script.
void PageAssembly(const uint8_t* data, size_t size);

// The profile store loader: the settings file read from disk, and what it reads saved and read
// again unchanged.
void ProfileStore(const uint8_t* data, size_t size);

// The target of that name, or nullptr.
using Target = void (*)(const uint8_t* data, size_t size);
Target TargetNamed(const std::string& name);

}  // namespace orvane::fuzz
