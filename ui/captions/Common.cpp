#include "Language.h"

namespace form {

namespace {

// Texts that read the same in every build: the unit and axis labels, the
// band letters and the initial numbers of the boxes.
constexpr CaptionRow kCommonCaptions[] = {
    {{"Label6"}, "ND"},   {{"Label7"}, "NA"},   {{"Label9"}, "t"},    {{"Label12"}, "0"},
    {{"Label2", 0}, "E"}, {{"Label2", 1}, "E"}, {{"Label2", 2}, "C"}, {{"Label2", 3}, "V"},
    {{"Label2", 4}, "E"}, {{"Label2", 5}, "F"}, {{"Text1"}, "300"},   {{"Text2"}, "0.5"},
    {{"Text3"}, "0"},     {{"Text4"}, "1e10"},  {{"Text5"}, "1e10"},  {{"Text6"}, "0"},
    {{"Text7"}, "0"},
};

}  // namespace

std::span<const CaptionRow> CommonCaptions() { return kCommonCaptions; }

}  // namespace form
