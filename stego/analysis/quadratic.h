#pragma once
// The root the structural estimators take of a x^2 + b x + c = 0.
namespace hushlake::analysis {

// The root of smaller absolute value; the linear root when a is 0, and the
// vertex -b / 2a when the roots are complex (the nearest real answer).
double SmallerRoot(double a, double b, double c);

}  // namespace hushlake::analysis
