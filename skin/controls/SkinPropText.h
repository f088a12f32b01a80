// Published properties read and written as text, the way the skin engine speaks of them
// ("ParentBackground" = "True", "Layout" = "blGlyphTop", "Flat" := "True"). A control without
// the property simply has none: nothing here throws.
#pragma once

#include "framework/Object.h"
#include "framework/TextConvert.h"

#include <string>

// The property's value as text: "True"/"False" for a boolean, the member name for an
// enumeration, the number for an integer, "[a,b]" for a set, the text for a string; empty when
// the object has no such property (or one of another kind).
std::wstring PropText(qx::TObject& object, const std::wstring& name);
// Sets the property from text: a boolean from "True"/"False", an enumeration by member name,
// an integer by conversion, a string as it is. False when the object has no such property or
// the text does not fit it.
bool SetPropText(qx::TObject& object, const std::wstring& name, const std::wstring& value);
// An integer-like property (integer, boolean, enumeration) as a number; `fallback` without it.
long long PropOrd(qx::TObject& object, const std::wstring& name, long long fallback);
bool HasProp(qx::TObject& object, const std::wstring& name);

// ASCII case, as the engine compares class names and property texts (the framework's helpers).
inline std::wstring LowerText(std::wstring text) { return qx::LowerCase(std::move(text)); }
inline std::wstring UpperText(std::wstring text) { return qx::UpperCase(std::move(text)); }
