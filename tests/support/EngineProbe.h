#pragma once
// Watches one database connection from inside the engine: counts the rows its statements hand out, and
// makes the statements whose SQL holds a marker fail (interrupted), as a busy file or a read error would.
//
//     EngineProbe probe(*catalogue.GetDatabase());
//     probe.FailStatementsHolding("\"AUTOINCR\" = ?");
//     EXPECT_FALSE(record.Save(parent));
//
// Only one probe per connection at a time; it lets go of the connection when it goes.

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DatabaseCore.h"

#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumarc::test {

class EngineProbe
{
public:
    explicit EngineProbe(platform::dao::CDaoDatabase& database) : m_db(database.Core().Handle())
    {
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT | SQLITE_TRACE_ROW, &EngineProbe::Trace, this);
        sqlite3_progress_handler(m_db, 1, &EngineProbe::Progress, this);
    }
    ~EngineProbe()
    {
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    }
    EngineProbe(const EngineProbe&) = delete;
    EngineProbe& operator=(const EngineProbe&) = delete;

    // Rows handed out since the probe was made, by statements whose SQL holds the text (all: empty).
    size_t Rows(std::string_view from = {}) const
    {
        size_t rows = 0;
        for (const std::string& sql : m_rowStatements) {
            rows += sql.find(from) != std::string::npos ? 1 : 0;
        }
        return rows;
    }
    // Statements started from now on fail when their SQL holds the marker (none when empty).
    void FailStatementsHolding(std::string marker) { m_marker = std::move(marker); }
    size_t FailedStatements() const { return m_failed; }

private:
    static int Trace(unsigned type, void* self, void* statement, void* detail)
    {
        auto& probe = *static_cast<EngineProbe*>(self);
        if (type == SQLITE_TRACE_ROW) {
            const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
            probe.m_rowStatements.emplace_back(sql != nullptr ? sql : "");
        } else if (type == SQLITE_TRACE_STMT) {
            const std::string_view sql = detail != nullptr ? static_cast<const char*>(detail) : "";
            probe.m_failing = !probe.m_marker.empty() && sql.find(probe.m_marker) != std::string_view::npos;
            probe.m_failed += probe.m_failing ? 1 : 0;
        }
        return 0;
    }
    static int Progress(void* self) { return static_cast<EngineProbe*>(self)->m_failing ? 1 : 0; }

    sqlite3* m_db;
    std::string m_marker;
    bool m_failing = false;
    std::vector<std::string> m_rowStatements;
    size_t m_failed = 0;
};

} // namespace lumarc::test
