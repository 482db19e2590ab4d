#pragma once

// Finding a record of the settings' lists (rules, profiles, macros) by its identity. Editing
// operations take records by value from the screens and look the stored one up again here.

#include <algorithm>
#include <vector>

#include "TarnKit/Foundation/Basics/Uuid.h"

namespace tarn::input {

// The first record with this identity, or null.
template <typename Record> Record* firstWithID(std::vector<Record>& records, const Uuid& id)
{
    const auto found = std::find_if(records.begin(), records.end(), [&id](const Record& r) { return r.id == id; });
    return found == records.end() ? nullptr : &*found;
}

template <typename Record> bool containsID(const std::vector<Record>& records, const Uuid& id)
{
    return std::any_of(records.begin(), records.end(), [&id](const Record& r) { return r.id == id; });
}

} // namespace tarn::input
