// Checks a file packed by the compression tool against the file it was packed from.
#pragma once

class QString;

namespace korvane {

// True when the file `packed` holds exactly one zlib stream that unpacks to exactly the bytes of
// the file `plain`. Both files are read a chunk at a time; neither is changed. False when either
// cannot be read, the stream is damaged, or the bytes differ in any way, length included.
bool unpacksTo(const QString& packed, const QString& plain);

} // namespace korvane
