// File names are bytes, and need not be UTF-8, while Qt holds them as Unicode: these calls
// show such a name readably and bring the name a file dialog hands back to its bytes.
#pragma once

#include <QString>
#include <string>

// The name as the user reads it: UTF-8 as it stands, and each byte that is no part of a
// UTF-8 character as the Windows-1252 character it stands for (the program's own code
// page, and where such names mostly come from); the five bytes it leaves unassigned show
// as U+FFFD.
QString DisplayFileName(const std::string& bytes);

// The bytes of the path a file dialog handed back. Handed back as it was offered, it is
// the `offered` path itself. A path that names nothing as Qt encodes it is looked up in
// its folders, a part at a time, by the names their entries show, where exactly one
// entry matches: the name a caption shows can be typed.
std::string FileNameBytes(const QString& chosen, const std::string& offered);
