// Feeds arbitrary bytes to the rigmem CSV reader. Besides the sanitizers'
// checks it asserts that every channel imported is one the sheet holds and
// that Export writes it out so that Import reads it back unchanged.

#include "memory/rigmemcsv.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RigmemImport read = parseRigmemCsv(bytes);
    if (!read.fault.isEmpty() && !read.channels.isEmpty())
        std::abort();
    MemoryRecords records;
    for (const RigmemChannel& channel : read.channels) {
        if (channel.channel < 0 || channel.channel >= MemorySheetChannels ||
            records[channel.channel] != MemoryRecord{})
            std::abort();
        records[channel.channel] = channel.texts;
    }
    const RigmemExport exported = formatRigmemCsv(records);
    if (!exported.problems.isEmpty() || exported.channels != read.channels.size())
        std::abort();
    const RigmemImport again = parseRigmemCsv(exported.bytes);
    if (!again.problems.isEmpty() || again.channels.size() != read.channels.size())
        std::abort();
    for (const RigmemChannel& channel : again.channels)
        if (records[channel.channel] != channel.texts)
            std::abort();
    return 0;
}
