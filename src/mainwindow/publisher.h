#pragma once
// The publisher's details shown on the help page and used by its mail and
// web links (data of the installation, YUSCII).
namespace mainwindow::publisher {

inline constexpr const char* kName = "Izdava~ka ku}a Korvet";
inline constexpr const char* kEditors =
    "Izdava~ka ku}a Korvet - glavni urednik: Milica Petrovi}, saradnici: Jovan Ili}, "
    "Ana Markovi}";
inline constexpr const char* kAddress =
    "Bulevar oslobo|enja 12, 11000 Beograd, tel. 011/555-0100, 011/555-0101";
inline constexpr const char* kWeb = "www.trevion-propisi.example";
inline constexpr const char* kMail = "kontakt@trevion-propisi.example";
inline constexpr const char* kMailRequests = "propisi@trevion-propisi.example";
inline constexpr const char* kMailSuggestions = "sugestije@trevion-propisi.example";
inline constexpr const char* kMailConsulting = "konsalting@trevion-propisi.example";

}  // namespace mainwindow::publisher
