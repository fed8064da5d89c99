// Whole-file reading with sane limits, and replacing a file only once its new content
// is safely on disk.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reads a regular file of at most maxBytes into `out`. False for anything else: a
// missing or unreadable file, a directory, a device or pipe (which could block or never
// end), a file too large, a read error.
bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes);

// Writes `data` to a temporary file beside the target, syncs it and renames it over
// the target; the temporary file has no name until it is whole, so a save killed on the
// way leaves at most a complete copy, named `.NAME.zentu-XXXXXX`. A symbolic link is
// followed to the file it names; an existing file keeps its permissions, and one that may
// not be written is left alone. Where no temporary file can be made (a read-only folder)
// but the target may be written, the target is written in place. On any failure, a full
// disk included, it returns false and the old file is as it was.
//
// The temporary file is locked for the life of the save. Each save first turns the
// copies that killed saves of the same target left behind (those no live save holds)
// into `STEM.recovered-YYYYMMDD-HHMMSS.EXT` beside it (the target's name split at its
// last dot; the time is the killed save's), their paths go to `recovered`
// where given, whatever the save's own result. They are never deleted.
bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::vector<std::string>* recovered = nullptr);

// The same for content made piece by piece: `produce` hands each piece in order to the
// sink it is given and returns false when it cannot make them all (the sink's own false
// included); the old file then stays as it was. `produce` must not throw.
using ContentSink = std::function<bool(std::string_view piece)>;
bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(const ContentSink& sink)>& produce,
                         std::vector<std::string>* recovered = nullptr);
