// Boots sorted by name as a Polish reader expects: case aside, each Polish letter right after its
// base letter (ą after a, ł after l, ż after ź), anything else after every letter, by its code.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace boots {

// Sorts `rows` by the names `nameOf` gives for them (UTF-8 text that Windows-1250 holds), the
// last name first when `descending`; rows of level names in increasing order. Sixteen characters
// a pass: each pass sorts numbers held side by side, and only rows still level go on to the next.
void sortByName(std::vector<int>& rows, const std::function<const std::string&(int row)>& nameOf,
                bool descending);

} // namespace boots
