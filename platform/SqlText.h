// Reading the texts the database layer is handed: connection strings and statement texts.
// Plain C++, so it is tested natively too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The value of the "Data Source" item of a connection string ("key=value" items separated by
// semicolons, keys in any case), without surrounding blanks and double quotes; empty when absent.
std::wstring DataSourceOf(std::wstring_view connection_string);

// The :name parameters of a statement text in order of first use, skipping quoted texts,
// quoted names and comments. Names differing only in case are one parameter. A name is read
// as the statement parser reads it: letters, digits, '_', '$' and every non-ASCII character.
std::vector<std::wstring> FindParameters(std::wstring_view sql);

// A name as a double-quoted identifier.
std::wstring QuoteName(std::wstring_view name);

}  // namespace platform
