#include "app/editor_model.h"

#include <map>

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

const std::vector<std::pair<const char*, const char*>>& editorFieldBoxes() {
    static const std::vector<std::pair<const char*, const char*>> table = {
        {"stru", "tStru"},
        {"H_Osc", "tHeadOsc"},
        {"H_Idle", "tHeadIdle"},
        {"G2H_Osc", "tHead1Osc"},
        {"G2H_Idle", "tHead1Idle"},
        {"HB2_Osc", "tH1B2Osc"},
        {"HB2_Idle", "tH1B2Idle"},
        {"Alias", "tAlias"},
        {"Type", "tType"},
        {"H_Bits", "tHBits"},
        {"S_Bits", "tSbits"},
        {"T", "tTbits"},
        {"Instance", "tTcode"},
        {"F", "tFixBits"},
        {"Fix_Time", "tFixTime"},
        {"f_sit", "tFixCode"},
        {"Zero_Osc", "t0Osc"},
        {"zero_Idle", "t0Idle"},
        {"One_Osc", "t1Osc"},
        {"One_Idle", "t1Idle"},
        {"C", "tCBits"},
        {"R_C", "tRCBits"},
        {"D", "tDBits"},
        {"R_D", "tRDbits"},
        {"CF_T", "tCF"},
        {"CF_Osc", "tCFOsc"},
        {"T1", "tT1"},
        {"G2_T", "tT2"},
        {"E_Osc", "tEOsc"},
        {"E_Idle", "tEIdle"},
        {"b_end", "tLastOsc"},
        {"X", "tXtime"}};
    return table;
}

const std::string& editorFieldCaption(const std::string& field) {
    static const std::map<std::string, std::string> captions = {
        {"stru", "Structure"},
        {"H_Osc", "Head1 B1 OSC"},
        {"H_Idle", "Head1 B1 Idle"},
        {"G2H_Osc", "Head2 OSC"},
        {"G2H_Idle", "Head2 Idle"},
        {"HB2_Osc", "Head1 B2 OSC"},
        {"HB2_Idle", "Head1 B2 Idle"},
        {"Alias", "Alias"},
        {"Type", "Type"},
        {"H_Bits", "Head bit"},
        {"S_Bits", "Start bit"},
        {"T", "Toggle bit"},
        {"Instance", "Toggle bits code"},
        {"F", "Fixed bit"},
        {"Fix_Time", "Fixed time"},
        {"f_sit", "Fixed bits code"},
        {"Zero_Osc", "0 Osc time"},
        {"zero_Idle", "0 Idle time"},
        {"One_Osc", "1 Osc time"},
        {"One_Idle", "1 Idle time"},
        {"C", "Customer code bits"},
        {"R_C", "Reverse customer code bits"},
        {"D", "Data code bits"},
        {"R_D", "Reverse data code bits"},
        {"CF_T", "CF T"},
        {"CF_Osc", "CF Osc"},
        {"T1", "T1"},
        {"G2_T", "T2"},
        {"E_Osc", "End bit Osc time"},
        {"E_Idle", "End bit Idle time"},
        {"b_end", "Last Osc time"},
        {"X", "Wait time"},
        {"Repeat", "Repeat code"},
        {"convert", "High bit in head"},
        {"G_count", "Quick press"},
        {"Remark", "Remark"}};
    const auto it = captions.find(field);
    return it == captions.end() ? field : it->second;
}

bool savedFromBoxes(std::string_view field) {
    for (const auto& [name, box] : editorFieldBoxes())
        if (field == name) return true;
    return field == "Repeat" || field == "convert" || field == "G_count" || field == "Remark";
}

} // namespace qv
