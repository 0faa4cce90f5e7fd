#pragma once
// The readers under test read files, so each input is written to one file in a
// private folder first. The folder lives as long as the process.
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzzing {

// The path of a file holding exactly the given bytes (the same path every call).
QString inputFile(const std::uint8_t* data, std::size_t size);
// A second, empty folder with its separator, for whatever the reader writes.
QString outputFolder();

} // namespace fuzzing
