#pragma once
// The three axes of a figure: X, Y and the second Y axis.
enum class AxisId { X, Y, Y2 };
