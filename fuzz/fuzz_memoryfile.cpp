// Feeds arbitrary bytes to the memory-file reader. Besides the sanitizers'
// checks it asserts that whatever was read saves and reads back unchanged,
// and that a file Save agrees to write is never refused when loaded.

#include "memory/memoryfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const MemoryFileContents read = parseMemoryFile(bytes);
    if (read.fields < 0 || read.fields > 2 * MemorySheetChannels)
        std::abort();
    const QByteArray saved = formatMemoryFile(read.records);
    const MemoryFileContents again = parseMemoryFile(saved);
    if (!again.complete() || again.records != read.records)
        std::abort();
    // What Save writes loads again: Save's and Load's rules agree.
    if (memoryTextsFault(read.records).isEmpty() && !memoryFileFault(saved, again).isEmpty())
        std::abort();
    return 0;
}
