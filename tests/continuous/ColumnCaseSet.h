// A set of varied columns: Example-1 with other specifications, two feeds with
// side cuts, benzene/toluene/p-xylene, n-pentane to n-decane and
// acetone/methanol/water, the component data from the shipped database. Each
// case says whether its specification can be met at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct ColumnSetCase {
  std::string name;
  bool feasible;               // false: the specification drives a flow below zero
  std::function<void()> setUp;  // leaves the case laid out as the Initial start does
};

// Every case of the set.
std::vector<ColumnSetCase> Column_Case_Set();
