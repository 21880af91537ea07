// The code recording window as the session keeps it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Controls of the code recording window (Form_code) that the core uses.
struct CodeWindowModel {
    bool visible = false;
    bool cIrRec = false;
    bool cOrder = false;
    std::string lDspRslt;
    std::string lDspRsltColor = "black";
    std::vector<std::string> lGCyc;
    std::string t01Tole = "100";
    std::string tXTime = "15000";
    std::string Lblcarr_h, Lblcarr_wid, Lblcarr_f;
    std::string tRow = "3", tCol = "1";
    std::string cbTol;
    std::string tTTole = "500";
    std::string tForm = "Form016";
    std::array<std::string, 5> tPos = {"5", "25", "54", "71", "105"};
    int16_t recordCol = 1; // the grid column the next code goes to
    std::string databasePath = "IR_CODE_DB.db";
};

} // namespace qv
