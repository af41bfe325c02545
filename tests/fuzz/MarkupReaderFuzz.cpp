// The property-tree reader on arbitrary bytes: it must give a tree or an error, and whatever it read
// must write a text that reads back.

#include "store/markup/MarkupNode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CMarkupNode node;
    node.LoadFromBuffer(text);
    std::string written;
    node.SaveToBuffer(written);
    CMarkupNode back;
    if (back.LoadFromBuffer(written) != 1) {
        std::abort();
    }
    std::string again;
    back.SaveToBuffer(again);
    if (again != written) {
        std::abort();
    }
    return 0;
}
