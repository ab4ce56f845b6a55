// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include "framework/Archive.h"

// Reads or writes an owned list as a count followed by tagged objects of
// class T. Reading appends at the tail and stops at the first fault; a count
// is checked against the bytes left first, so a damaged count costs nothing.
template <typename T>
void SerializeTaggedList(CArchive& ar, std::vector<std::unique_ptr<T>>& items,
                         uint64_t minRecordBytes) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(items.size()));
        for (const auto& item : items) ar.WriteObject(*item);
        return;
    }
    const uint32_t count = ar.ReadCount();
    constexpr uint64_t kTagBytes = 2;
    if (!ar.CheckCount(count, kTagBytes + minRecordBytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CObject> object = ar.ReadObject(T::classInfo);
        if (!object) return;
        items.emplace_back(static_cast<T*>(object.release()));
    }
}
