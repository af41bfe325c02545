#include "tests/platform/dao/DaoFixture.h"

#include "platform/dao/DaoDate.h"
#include "platform/dao/DaoTableDef.h"

namespace lumarc::test {

using namespace platform::dao;

const std::vector<CoinRow>& SampleCoins()
{
    static const std::vector<CoinRow> coins = {
        {"Thaler", "1790", 12.5, "2002-03-05", false, 0},
        {"ducat", "1650", 99.99, "1999-12-31", true, 5},
        {"Écu", "1726", 0, "", false, 5},
        {"Penny", "1967", 0.0001, "2024-01-10", false, 0},
        {"50% off", "2001", 3, "2001-06-15", false, 0},
        {"under_score", "1900", 7.25, "", false, 0},
        {"Louis d'or", "1640", 250, "", false, 5},
    };
    return coins;
}

void BuildCoinTables(CDaoDatabase& db)
{
    CDaoTableDef coins(&db);
    coins.Create("COINS");
    coins.CreateField("NAME", dbText, 40);
    coins.CreateField("YEAR", dbText, 10);
    coins.CreateField("PRICE", dbCurrency, 8);
    coins.CreateField("BOUGHT", dbDate, 8);
    coins.CreateField("PARENT", dbDouble, 8);
    coins.CreateField("UID", dbDouble, 8);
    coins.CreateField("FROM-UID", dbDouble, 8);
    coins.CreateField("AUTOINCR", dbLong, 4, dbAutoIncrField);
    coins.CreateField("CREADATE", dbText, 16);
    coins.CreateField("MODIDATE", dbText, 16);
    coins.CreateField("HTML", dbMemo, 0);
    coins.CreateField("DELETED", dbBoolean, 1);
    CDaoIndexInfo oid;
    oid.m_name = "OID";
    oid.m_fields = {{"AUTOINCR", false}};
    oid.m_primary = oid.m_unique = oid.m_required = true;
    coins.CreateIndex(oid);
    coins.Append();

    CDaoTableDef link(&db);
    link.Create("LINK");
    link.CreateField("OID_IN", dbDouble, 8);
    link.CreateField("OID_OUT", dbDouble, 8);
    link.CreateField("DELETED", dbText, 1);
    link.Append();

    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    for (const CoinRow& coin : SampleCoins()) {
        rs.AddNew();
        const int counter = rs.GetFieldValue("AUTOINCR").GetLong();
        rs.SetFieldValue("NAME", coin.name);
        rs.SetFieldValue("YEAR", coin.year);
        rs.SetFieldValue("PRICE", CDaoVariant::Double(coin.price));
        if (!coin.bought.empty()) {
            rs.SetFieldValue("BOUGHT", coin.bought);
        }
        rs.SetFieldValue("DELETED", CDaoVariant::Boolean(coin.deleted));
        rs.SetFieldValue("PARENT", CDaoVariant::Double(coin.parent));
        rs.SetFieldValue("UID", CDaoVariant::Double(1200000.0 + counter));
        rs.Update();
    }
    rs.Close();

    // Thaler and Penny are linked from two elements each, Écu from one.
    CDaoRecordset links(&db);
    links.Open(dbOpenTable, "LINK");
    const std::vector<std::pair<double, double>> pairs = {
        {1200001, 2300001}, {1200001, 2300002}, {1200004, 2300001}, {1200004, 2300003}, {1200003, 2300002}};
    for (const auto& [in, out] : pairs) {
        links.AddNew();
        links.SetFieldValue("OID_IN", CDaoVariant::Double(in));
        links.SetFieldValue("OID_OUT", CDaoVariant::Double(out));
        links.SetFieldValue("DELETED", "N");
        links.Update();
    }
}

void CreateCoinDatabase(const std::filesystem::path& path, const std::string& password)
{
    CDaoDatabase db;
    db.Create(path, password.empty() ? std::string(dbLangGeneral)
                                     : std::string(dbLangGeneral) + ";PWD=" + password);
    BuildCoinTables(db);
}

std::vector<std::string> QueryNames(CDaoDatabase& db, const std::string& jetSql)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenSnapshot, jetSql);
    std::vector<std::string> names;
    while (!rs.IsEOF()) {
        names.push_back(rs.GetFieldValue("NAME").ToText());
        rs.MoveNext();
    }
    return names;
}

} // namespace lumarc::test
