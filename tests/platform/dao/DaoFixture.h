#pragma once
// A small catalogue-shaped database, built through the layer itself: a data table COINS with the
// system columns the store gives every data table (PARENT, UID, FROM-UID, the counter AUTOINCR with
// its index OID, CREADATE, MODIDATE, DELETED), a LINK table, and a few coins whose names exercise case
// folding and the wildcard characters.

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoRecordset.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumarc::test {

struct CoinRow
{
    std::string name;
    std::string year;
    double price;       // currency units
    std::string bought; // "YYYY-MM-DD", or empty for none
    bool deleted;
    double parent;
};

// The coins in counter order (AUTOINCR 1, 2, ...).
const std::vector<CoinRow>& SampleCoins();

// Creates the tables and rows in an open, empty database.
void BuildCoinTables(platform::dao::CDaoDatabase& db);

// Creates a new database file holding the coin tables; `password` encrypts it.
void CreateCoinDatabase(const std::filesystem::path& path, const std::string& password = {});

// The NAME column of every row of a query, in order.
std::vector<std::string> QueryNames(platform::dao::CDaoDatabase& db, const std::string& jetSql);

} // namespace lumarc::test
