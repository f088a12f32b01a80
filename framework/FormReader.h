#pragma once
// Form descriptions: a text format in the platform's manner.
//
//   object Form8: TForm8
//     Caption = 'Quellox'              strings in quotes ('' for a quote), #nnn for a character,
//     Font.Height = -11                parts joined by +; nested properties with dots
//     BorderIcons = [biSystemMenu]     sets; enumerations, booleans and events by name
//     Skin3rd.Strings = ( 'a' 'b' )    lists
//     SkinStream = { 0A0B }            binary data in hex
//     object Panel1: TPanel ... end    children: owned by the root, parented by the enclosing control
//   end
//
// Components are created by registered class name, properties set through the published
// property tables, custom and binary properties through DefineProperties, and every component
// read gets Loaded once all are read. A malformed description throws EReadError naming the line;
// what was created for it is freed.
#include "Classes.h"

#include <stdexcept>
#include <string>

namespace qx {

class EReadError : public std::runtime_error {
public:
    EReadError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), Line(line) {}
    int Line;
};

// Reads `text` into `root` (whose class must match the description's top object).
void ReadComponentText(const std::wstring& text, TComponent* root);
// Reads a UTF-8 description.
void ReadComponentUtf8(const std::string& utf8, TComponent* root);
// Creates the top object by its class name (owner `owner`) and reads it; returns it.
TComponent* CreateComponentFromText(const std::wstring& text, TComponent* owner);
// Reads the description stored as an RCDATA resource of the executable.
void ReadComponentRes(const std::wstring& resourceName, TComponent* root);

// Writes a component and everything it owns; properties equal to a new object's are left out.
std::wstring WriteComponentText(TComponent* root);

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

}  // namespace qx
