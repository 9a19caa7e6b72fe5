#pragma once
// How a line is stroked: an overlay line, a series' connecting line. "Dashed" is the short dash;
// None draws no line at all. New values go at the end: graph files store the number.
enum class LineDash { Solid, Dashed, Dotted, None, LongDash, LongShortLongDash, DashDot };
