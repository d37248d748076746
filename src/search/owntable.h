#pragma once
// A read-only dataset of its own on the database alias, for a look-up that
// must leave the windows' datasets where they are.
#include "database/schema.h"
#include "engine/table.h"

namespace search {

class OwnTable {
  public:
    OwnTable(engine::Session& session, const char* table) : t_(session, table) {
        t_.setDatabaseName(database::kAlias);
        t_.setTableName(table);
        t_.setReadOnly(true);
        t_.open();
    }
    engine::Table& operator*() { return t_; }
    engine::Table* operator->() { return &t_; }

  private:
    engine::Table t_;
};

}  // namespace search
