#pragma once
// What both reference programs read on start-up: the statements the program runs, on Incantesimi.mdb in the
// current folder.
#include <sqlite3.h>

#include <string>
#include <utility>
#include <vector>

using TFields = std::vector<std::pair<std::string, std::string>>;

struct TCatalogue {
    std::vector<std::string> Names;
    std::vector<TFields> Fields; // of each spell, the first 22 columns, as a click on its name shows them
};

inline std::vector<std::vector<std::string>> Query(sqlite3* db, const char* sql, std::vector<std::string>* columns) {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return rows;
    const int count = sqlite3_column_count(statement);
    if (columns)
        for (int i = 0; i < count; ++i) columns->push_back(sqlite3_column_name(statement, i));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < count; ++i) {
            const auto* text = sqlite3_column_text(statement, i);
            row.push_back(text ? reinterpret_cast<const char*>(text) : "");
        }
    }
    sqlite3_finalize(statement);
    return rows;
}

inline TCatalogue ReadCatalogue() {
    TCatalogue result;
    sqlite3* db = nullptr;
    if (sqlite3_open("Incantesimi.mdb", &db) != SQLITE_OK) return result;
    sqlite3_exec(db, "DELETE FROM SELEZIONATI", nullptr, nullptr, nullptr);
    Query(db, "SELECT * FROM SELEZIONATI", nullptr);
    std::vector<std::string> columns;
    const auto rows = Query(db, "SELECT * FROM INCANTESIMI WHERE BARDO >= '0' AND BARDO <= '9' ORDER BY INCANTESIMO",
                            &columns);
    Query(db, "SELECT * FROM SELEZIONATI ORDER BY INCANTESIMO", nullptr);
    sqlite3_close(db);
    for (const auto& row : rows) {
        result.Names.push_back(row.at(1));
        TFields& fields = result.Fields.emplace_back();
        for (size_t i = 0; i < columns.size() && fields.size() < 22; ++i)
            fields.emplace_back(columns[i], row[i].substr(0, 40));
    }
    return result;
}
