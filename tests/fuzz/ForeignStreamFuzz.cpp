// What the reader process of workbooks and Access files answers: the program parses it strictly, then
// creates and fills the tables it names. Any bytes must give a parse failure or tables, never a crash.

#include "platform/dao/DaoException.h"
#include "platform/dao/SqliteEngine.h"
#include "platform/dao/foreign/ForeignSource.h"
#include "platform/dao/foreign/ForeignStream.h"
#include "tests/fuzz/ForeignTableReadBack.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace detail = platform::dao::detail;

namespace {

class StreamSource : public detail::ForeignSource
{
public:
    explicit StreamSource(detail::ForeignStream stream) : m_stream(std::move(stream)) {}
    const std::vector<detail::ForeignTable>& Tables() const override { return m_stream.tables; }
    void ReadRows(size_t, const RowSink& sink) override
    {
        for (const auto& row : m_stream.rows) {
            sink(row);
        }
    }

private:
    detail::ForeignStream m_stream;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<detail::ForeignStream> stream =
        detail::ParseForeignStream(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!stream || !stream->table) {
        return 0;
    }
    const std::string name = stream->tables[*stream->table].name;
    try {
        StreamSource source(std::move(*stream));
        ReadBackForeignTable(source, name);
    } catch (const platform::dao::CDaoException&) {
    }
    return 0;
}
