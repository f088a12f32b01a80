// Minimal INI reader for skin descriptions: keeps the meaningful lines and answers lookups by
// linear search. Section and key names compare without regard to ASCII letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TQuickIni {
public:
    // Rebuilds both lists from the text (a zero byte ends it).
    void Load(std::string_view text);
    void Load(std::span<const std::uint8_t> bytes);

    // Value of the first line of that key in the first section of that name, trimmed; the
    // default when the section or key is missing or the first such line has an empty value.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // ReadString converted: decimal with optional sign, or hexadecimal after "$" or "0x";
    // the default when the text is empty or not a 32-bit integer.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    // Replaces `strings` with the section names in file order, brackets removed, trimmed,
    // duplicates included.
    void ReadSections(std::vector<std::string>& strings) const;

    // The kept lines (trimmed, neither empty nor comments), in file order.
    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct TSectionRef {
        std::string Header;   // the whole header line, brackets included
        std::size_t Line = 0; // its index in FLines
    };
    const TSectionRef* FindSection(std::string_view name) const;

    std::vector<std::string> FLines;
    std::vector<TSectionRef> FSections;
};

// Integer text as ReadInteger converts it (after the "0x" to "$" rewrite); false if it is not one.
bool TryIniInteger(std::string_view text, std::int32_t& value) noexcept;
