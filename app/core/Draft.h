// The draft: what was typed into the workspace and not stored yet, kept in a file beside the
// document store so that a crash, a kill or a power cut loses at most the last moment.
//
// The file holds one record per document id. Its layout: the magic "MJZSDRAFT1\n", the
// record count (u32), each record's six fields (id, date, title, text, recording, saved-at
// milliseconds as decimal text) as a u32 count of UTF-16 code units and the units, all
// little-endian, then an FNV-1a checksum (u32) of everything before it. A file that does
// not match in every part holds no drafts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/Documents.h"

namespace app {

// Beside "txt.kl" in the working directory.
inline constexpr wchar_t kDraftFile[] = L"txt.kl.draft";
// How often typing is taken into the draft: well within the second that may be lost.
inline constexpr unsigned kDraftInterval = 250;

struct Draft {
    Document document;
    std::int64_t saved_at = 0;  // milliseconds since 1970, UTC
};

std::string SerializeDrafts(const std::vector<Draft>& drafts);
// Empty when the bytes are not a whole, intact draft file.
std::vector<Draft> ParseDrafts(std::string_view bytes);

// Whether the document holds something that storing it would change, compared with what is
// stored (nullopt: nothing, a new document): title, text and recording, as they are stored.
bool DiffersFromStored(const Document& document, const std::optional<Document>& stored);

// The newest draft, or nullptr.
const Draft* NewestDraft(const std::vector<Draft>& drafts);

// The id a new document gets: after the stored maximum and after every draft's id, so that
// a new document never takes the id of a draft still waiting to be restored. Throws like
// NextDocumentId.
int NextDocumentId(std::wstring_view max_text, const std::vector<Draft>& drafts);

}  // namespace app
