// The ordered set of questions that the main window owns; positions count from 1.
#pragma once

#include <cstddef>
#include <vector>

#include "model/zentu_data.h"

class Question_Set {
  public:
    using const_iterator = std::vector<Zentu_Data>::const_iterator;
    using iterator = std::vector<Zentu_Data>::iterator;

    std::size_t Count() const { return records.size(); }
    bool Empty() const { return records.empty(); }

    // 1 <= n <= Count(); checked in debug builds only, as every caller validates n.
    Zentu_Data& At(std::size_t n);
    const Zentu_Data& At(std::size_t n) const;

    void Append(const Zentu_Data& record) { records.push_back(record); }
    void Append(Zentu_Data&& record) { records.push_back(std::move(record)); }
    // 1 <= n <= Count() + 1; the records from n on move up one position.
    void InsertAt(std::size_t n, const Zentu_Data& record);
    // 1 <= n <= Count(); the records after n move down one position.
    void RemoveAt(std::size_t n);
    void Clear() { records.clear(); }
    // Room for at least n records, so a reader that knows the count allocates once.
    void Reserve(std::size_t n) { records.reserve(n); }

    const_iterator begin() const { return records.begin(); }
    const_iterator end() const { return records.end(); }
    iterator begin() { return records.begin(); }
    iterator end() { return records.end(); }

    bool operator==(const Question_Set& other) const { return records == other.records; }
    bool operator!=(const Question_Set& other) const { return !(*this == other); }

  private:
    // std::vector grows geometrically, so appending a whole file is linear, not quadratic.
    std::vector<Zentu_Data> records;
};
