#include "catalogue/format_menus.h"

#include <array>
#include <cstdio>
#include <map>

namespace qv {

std::string FormatMenuEntry::key() const {
    return caption.substr(0, 7);
}

namespace {

// Named captions and shortcuts; every other slot's caption is its bare key.
const std::map<int, std::pair<const char*, const char*>>& namedSlots() {
    static const std::map<int, std::pair<const char*, const char*>> m = {
        {1, {"Form001(&AIWA*SANYO)", ""}},
        {2, {"Form002(ECHOSTAR)", ""}},
        {5, {"Form005(FERGUSON)", ""}},
        {6, {"Form006(&FERGUSON2)", ""}},
        {7, {"Form007(GRADIENTE)", ""}},
        {8, {"Form008(&GRUNDIG)", ""}},
        {10, {"Form010(&ITT)", ""}},
        {11, {"Form011(Jvc)", "F11"}},
        {12, {"Form012(Panasonic 48bit/KASEIKYO)", ""}},
        {13, {"Form013(MITSUBISHI)", ""}},
        {14, {"Form014(&MITSUBISHI2)", ""}},
        {16, {"Form016(NEC N-8)", "F6"}},
        {17, {"Form017(NEC-&R)", ""}},
        {19, {"Form019(NOKIA)", ""}},
        {20, {"Form020(PA&NA5-6(1))", ""}},
        {21, {"Form021(&PANA5-6(2))", ""}},
        {22, {"Form022(PANA5-6)", ""}},
        {23, {"Form023(PA&CE)", ""}},
        {24, {"Form024(PEONY)", ""}},
        {25, {"Form025(PHI&LIPS2)", ""}},
        {26, {"Form026(&PHILIPS3)", ""}},
        {28, {"Form028(PRIMESTAR)", ""}},
        {30, {"Form030(&RC-5)", "F2"}},
        {31, {"Form031(RC-5 &Extension)", "Ctrl+F11"}},
        {32, {"Form032(R&CA)", ""}},
        {33, {"Form033(&Sharp)", ""}},
        {34, {"Form034(Sony 7-5)", "F9"}},
        {35, {"Form035(Sony 7-13)", "F7"}},
        {37, {"Form037(&TELEFUNKEN2)", ""}},
        {38, {"Form038(T&ELEFUNKEN3)", ""}},
        {39, {"Form039(T&HOMSON)", ""}},
        {41, {"Form041(&TOSHIBA)", ""}},
        {42, {"Form042(&ZENITH)", ""}},
        {43, {"Form043(&NEC N-16)", "F12"}},
        {44, {"Form044(&Bose 16)", ""}},
        {45, {"Form045(B&ose 32)", ""}},
        {46, {"Form046(&RC-6(Mic))", ""}},
        {47, {"Form047(RC-6(&Marntz))", ""}},
        {48, {"Form048(&Denon)", ""}},
        {49, {"Form049(&Silan)", ""}},
        {52, {"Form052(SAMSUNG Similar form041)", ""}},
        {57, {"Form057(&DELONGHI)", ""}},
        {58, {"Form058(&THOMSON R 2000)", ""}},
        {59, {"Form059(&GRUNDIG RCS16)", ""}},
        {60, {"Form060(&KENWOOD)", ""}},
        {61, {"Form061(&Similar Form032)", ""}},
        {62, {"Form062(S&imilar Form033)", ""}},
        {63, {"Form063(&Pansonic air-condition)", ""}},
        {64, {"Form064(&Daikin air-condition)", ""}},
        {65, {"Form065(So&ny 7-8)", "F8"}},
        {66, {"Form066(CG Checksum)", ""}},
        {100, {"Form100(TYPE2&2)", ""}},
        {101, {"Form101(TYPE0&7)", ""}},
        {102, {"Form102(TYPE0&8)", ""}},
        {103, {"Form103(TYPE1&4)", ""}},
        {104, {"Form104(TYPE1&5)", ""}},
        {105, {"Form105(TYPE1&6)", ""}},
        {106, {"Form106(TYPE1&7)", ""}},
        {107, {"Form107(TYPE1&8)", ""}},
        {108, {"Form108(TYPE1&9)", ""}},
        {109, {"Form109(TYPE2&0)", ""}},
        {110, {"Form110(TYPE22)", ""}},
        {111, {"Form111(TYPE23)", ""}},
        {112, {"Form112(T&YPE27)", ""}},
        {113, {"Form113(TYPE29)", ""}},
        {114, {"Form114(TYPE34)", ""}},
        {115, {"Form115(TYPE35)", ""}},
        {116, {"Form116(TY&PE37)", ""}},
        {117, {"Form117(TYPE38)", ""}},
        {118, {"Form118(TYPE41)", ""}},
        {119, {"Form119(TYPE56)", ""}},
        {120, {"Form120(TYP&E83)", ""}},
        {122, {"Form122(&TYPE153)", ""}},
        {127, {"Form127(Reverse RC-6)", ""}},
        {128, {"Form128(Similar Form009)", ""}},
        {129, {"Form129(NEC 24 bits)", ""}},
        {130, {"Form130(SE 30 bits)", ""}},
        {131, {"Form131(Similar Form042)", ""}},
        {132, {"Form132(JVC AEHA; Similar Form012)", ""}},
        {133, {"Form133(8-8 IB)", ""}},
        {134, {"Form134(8-8 E)", ""}},
        {135, {"Form135(ZENITH A 0-5F)", ""}},
        {136, {"Form136(Gru B 8-8FC2)", ""}},
        {137, {"Form137(Nokia 16-8F)", ""}},
        {138, {"Form138(Nokia 24-8F)", ""}},
        {140, {"Form140(Similar Form138 I)", ""}},
        {141, {"Form141(Similar Form138 II)", ""}},
        {142, {"Form142(NEC DNA)", ""}},
        {143, {"Form143(SANYO SAC)", ""}},
        {144, {"Form144(JVC AEHA FORMAT)", ""}},
    };
    return m;
}

const std::array<const char*, 9> kMenus = {"Form0&01~020", "Form021~040", "Form0&41~060",
                                           "Form0&61-080", "Form81~100",  "Form&101~120",
                                           "&Form121~140", "Form141~160", "&Other"};

std::vector<FormatMenuEntry> buildEntries() {
    std::vector<FormatMenuEntry> entries;
    for (int n = 1; n <= 160; ++n) {
        FormatMenuEntry e;
        int menu = (n - 1) / 20;
        e.menu = kMenus[menu];
        char key[16];
        std::snprintf(key, sizeof key, "Form%03d", n);
        auto it = namedSlots().find(n);
        e.caption = it != namedSlots().end() ? it->second.first : key;
        e.shortcut = it != namedSlots().end() ? it->second.second : "";
        char name[20];
        std::snprintf(name, sizeof name, n <= 42 ? "mnuform%03d" : "mnuForm%03d", n);
        e.objectName = name;
        // Every menu but the last splits after its tenth entry.
        e.separatorBefore = (n - 1) % 20 == 10 && menu != 7;
        entries.push_back(e);
    }
    entries.push_back({kMenus[8], "RIB", "mnuRib", "Ctrl+R", false, true});
    entries.push_back({kMenus[8], "IB", "mnuIB", "Ctrl+I", false, true});
    entries.push_back({kMenus[8], "HL", "mnuHL", "Ctrl+H", false, false});
    entries.push_back({kMenus[8], "SE", "mnuSe", "Ctrl+S", false, false});
    return entries;
}

} // namespace

const std::vector<FormatMenuEntry>& formatMenuEntries() {
    static const std::vector<FormatMenuEntry> entries = buildEntries();
    return entries;
}

const std::vector<std::string>& formatMenuCaptions() {
    static const std::vector<std::string> menus(kMenus.begin(), kMenus.end());
    return menus;
}

std::string withoutAccessKeys(std::string_view caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

const FormatMenuEntry* findFormatEntry(std::string_view keyOrCaption) {
    for (const auto& e : formatMenuEntries())
        if (e.caption == keyOrCaption || e.key() == keyOrCaption ||
            withoutAccessKeys(e.caption) == keyOrCaption)
            return &e;
    return nullptr;
}

} // namespace qv
