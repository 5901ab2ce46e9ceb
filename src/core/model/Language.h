// The suite's two languages. Case.Language holds the one chosen on the main
// menu: 1 is English; 0, and any other value a damaged case might carry, is
// Japanese. Every text the suite shows in both languages is chosen here.
#pragma once

#include <string>
#include <string_view>

// True when the chosen language is English.
bool In_English();

// The text of the chosen language: en in English, ja otherwise.
std::string InLanguage(std::string_view ja, std::string_view en);
