#include "app/editor_model.h"

namespace qv {

const std::vector<std::string>& EditorModel::textBoxNames() {
    static const std::vector<std::string> names = {
        "tStru",    "tAlias",    "tType",    "tHeadOsc", "tHeadIdle", "tHead1Osc", "tHead1Idle",
        "tH1B2Osc", "tH1B2Idle", "tSbits",   "tAddrBit", "tHBits",    "tTbits",    "tTcode",
        "tFixBits", "tFixTime",  "tFixCode", "t0Osc",    "t0Idle",    "t1Osc",     "t1Idle",
        "tCBits",   "tRCBits",   "tDBits",   "tRDbits",  "tCFOsc",    "tCF",       "tT1",
        "tT2",      "tEOsc",     "tEIdle",   "tLastOsc", "cTole",     "tTTole",    "tXtime",
        "tGroups",  "tRemark"};
    return names;
}

const std::vector<std::string>& EditorModel::checkBoxNames() {
    static const std::vector<std::string> names = {"cHead", "cData",   "cEndbit", "cGroup",
                                                   "c2ndB", "cG2RptB", "cCYes",   "cCNo"};
    return names;
}

EditorModel::EditorModel() {
    // Design-time contents: the parameters of the NEC N-8 format.
    box = {{"tStru", "H,C,~C,D,~D,B0,X,H2,B0,X"},
           {"tAlias", "NEC N-8"},
           {"tType", ""},
           {"tHeadOsc", "9000"},
           {"tHeadIdle", "4500"},
           {"tHead1Osc", "9000"},
           {"tHead1Idle", "2250"},
           {"tH1B2Osc", "0"},
           {"tH1B2Idle", "0"},
           {"tSbits", "0"},
           {"tAddrBit", "0"},
           {"tHBits", "0"},
           {"tTbits", "0"},
           {"tTcode", "0"},
           {"tFixBits", "0"},
           {"tFixTime", "0"},
           {"tFixCode", "0"},
           {"t0Osc", "562"},
           {"t0Idle", "562"},
           {"t1Osc", "562"},
           {"t1Idle", "1688"},
           {"tCBits", "8"},
           {"tRCBits", "8"},
           {"tDBits", "8"},
           {"tRDbits", "8"},
           {"tCFOsc", "8.79"},
           {"tCF", "26.37"},
           {"tT1", "108000"},
           {"tT2", "108000"},
           {"tEOsc", "---"},
           {"tEIdle", "---"},
           {"tLastOsc", "562"},
           {"cTole", "3%"},
           {"tTTole", "500"},
           {"tXtime", "15000"},
           {"tGroups", "0"},
           {"tRemark", "NEC N-8"}};
    for (const auto& name : checkBoxNames())
        check[name] = false;
    check["cHead"] = check["cEndbit"] = check["cCYes"] = true;
}

} // namespace qv
