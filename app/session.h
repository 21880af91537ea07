// The one shared session: every process-wide value of the program, the
// capture record, and the contents of the controls that the decoding core
// reads and writes. Windows observe it and forward the user's actions; the
// session itself never calls a window. Message boxes, beeps and timer
// switches are outputs: recorded here and announced to the observers.
#pragma once

#include "app/last_capture.h"
#include "capture/capture_record.h"
#include "engine/decode.h"
#include "engine/press_stats.h"
#include "errorlog/error_record.h"
#include "platform/code_grid.h"
#include "platform/serial_port.h"
#include "platform/table_cursor.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Contents of the format editor window (Form_time), by control name.
struct EditorModel {
    EditorModel();
    std::map<std::string, std::string> box; // text boxes, lists: tStru, tHeadOsc, ...
    std::map<std::string, bool> check; // cHead, cData, cEndbit, cGroup, c2ndB, cG2RptB, cCYes, cCNo
    std::string caption = "Form016 time";
    std::string cAddFmt; // chosen user slot, empty when none
    std::string saved;   // what the last save wrote ("Form157 saved."), empty otherwise
    // The loaded row's fields that no box shows (Bits, zero_HL, One_HL,
    // T_Time, Quirks, ...): saved with the boxes, so a row saved into a user
    // slot reads as the row it was loaded from.
    std::vector<std::pair<std::string, FieldValue>> unshown;
    bool frameEnabled = false;
    bool slotControlsVisible = false;
    bool visible = false;

    static const std::vector<std::string>& textBoxNames();
    static const std::vector<std::string>& checkBoxNames();
};

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
};

// The error record viewer / zoomed code window (Form_help).
struct HelpWindowModel {
    bool visible = false;
    std::string caption = "help";
    std::string Text1;
    bool showsRecord = false; // the error record is shown, not the code
    int fontSize = 8;
    bool bold = false;
    bool cClearVisible = false;
};

// One line of the waveform drawing, in picture coordinates (x in
// microseconds from the picture's left edge, y in picture units).
struct LineCmd {
    double x1, y1, x2, y2;
    uint32_t rgb;
    bool operator==(const LineCmd&) const = default;
};

// One burst or gap as drawn: its row (0 the whole capture, 1 to 3 the frame
// rows), its place and length in picture x, its capture table cell and its
// start in microseconds from the capture's first burst.
struct WaveSegment {
    int row;
    double x, width;
    bool burst;
    long cellRow;
    int cellCol;
    double startUs;
    bool operator==(const WaveSegment&) const = default;
};

// A drawn row: its baseline in picture units and its label.
struct WaveRow {
    double base;
    std::string label;
    bool operator==(const WaveRow&) const = default;
};

struct WaveformState {
    int VScroll1 = 300; // the zoom bar, 0..400 (waveform/waveform.h)
    int HScroll1 = 0;   // tenths of a microsecond scrolled, 0..HScrollMax (a second)
    static constexpr int HScrollMax = 10000000;
    double ScaleWidth = 100000; // visible width in microseconds
    float DrawX = 0;
    std::string Lblzoom = " X10 ";
    double Line1X = 0;    // red rule line
    double Line2X = 0;    // green rule line
    int selectedLine = 1; // Option1 RED, Option2 GREEN, Option3 Both
    bool AddHeld = false, ReaddHeld = false, DecHeld = false, RedecHeld = false;
    bool linePlaced = false;    // a rule line was clicked or nudged into place
    std::vector<LineCmd> lines; // the last drawing
    std::vector<WaveSegment> segments;
    std::vector<WaveRow> rows;
    int selectedMark = -1; // the mark (LastCapture::marks) of the error line chosen
};

// A capture of this run as the statistics see it: when it came, the format
// it was decoded with (the menu caption) and what the decode read.
struct LoggedPress {
    std::string time; // "HH:MM:SS", local time
    std::string caption;
    engine::PressRecord record;
    Capture capture; // whole, for the analysis
};
// The log keeps this many captures, dropping the oldest.
constexpr size_t kPressLogSize = 1000;
// Captures made through a demodulating receiver (README "Demodulated
// captures"). With the absolute tolerance 0 and no excess, every decode is
// as before.
using engine::ExcessMode;

// What IRMenu "Demodulated capture" sets; its settings dialog changes them.
struct DemodSettings {
    float timeTolerance = 0.20f;
    float cycleTolerance = 5000;   // us
    float cycleShare = 0.25f;      // a period also passes within this share of its standard
    float absoluteTolerance = 200; // us
    ExcessMode excessMode = ExcessMode::Auto;
    float excess = 0; // us, for ExcessMode::Given
};

struct Demodulation {
    bool on = false; // IRMenu "Demodulated capture"
    DemodSettings settings;
    // In force for the decode (the mode sets them, so do decode's options).
    float absoluteTolerance = 0; // a time also passes within this of its standard
    float cycleShare = 0;        // a period also passes within this share of its standard
    ExcessMode excessMode = ExcessMode::None;
    float excess = 0;
    // The tolerances before the mode was turned on, given back when it is turned off.
    float savedTimeTolerance = 0.03f, savedCycleTolerance = 500;
};

class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    virtual void sessionChanged() {}
    virtual void sessionMessage(const std::string& /*text*/) {}
    virtual void sessionBeep() {}
    virtual void sessionTimersChanged() {}
    // A capture was taken (received, opened, generated): a wait for one ends.
    virtual void sessionCaptureLoaded() {}
};

class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- the decode's settings ---
    float TimeTolerance = 0.03f; // a share of the standard time
    float CycleTolerance = 500;  // µs
    Demodulation demod;
    int16_t XTime = 15000; // the learner's wait time, µs
    int16_t ZeroOneTime = 100;
    std::string CrLf = "\r\n"; // the line break of code lines and records

    // --- the link's blink, the recording's column, the automatic selection
    // and the sample comparison ---
    int16_t BlinkPhase = 1;
    int16_t RecordCol = 1;
    int16_t AutoFormatIndex = 0;
    std::string SampleCode;
    bool SampleHeld = false;

    // --- capture record and read cursor ---
    TimeTable TTable;
    int16_t TimeRows = kDataRows;
    long TimeRow = 1;
    int16_t TimeCol = 1;

    // --- catalogue selection ---
    std::string cataloguePath = "IRTime.db";
    std::string codeDatabasePath = "IR_CODE_DB.db"; // the code recording window's table
    // Icons, help and samples: the program's directory unless the program
    // is installed (main sets it).
    std::string resourceDir;
    std::unique_ptr<TableCursor> CurFormat;
    // CurFormat's row as the decode reads it, kept while the cursor shows
    // the same row: a capture after capture does not copy the row again.
    struct FormatRowRead {
        std::shared_ptr<const void> rows;
        std::optional<size_t> position;
        engine::FormatRow row;
    } formatRowRead;
    bool ReadOrder = false;
    std::string RepeatSpec;

    // --- main window controls ---
    bool cIgnoreT = false;
    std::string tTole;
    std::string tTTole = "500";
    bool optOct = false;
    std::string irtype;
    std::string LblRGtime = "0";
    bool mnuAuto = false;
    bool mnuCmp = false;
    int SelCom = -1;                        // list position, -1 before start-up
    std::string mumconnect = "Dis&Connect"; // menu caption
    bool Image1Visible = true;
    std::string Image1Bitmap; // "rs232.bmp" or "rs232u.bmp"
    bool Timer2 = false;      // the link's idle timer: the blink and the unit's poll
    bool Timer3 = false;      // a rule button held

    LastCapture last; // the capture shown, whole, and its decode

    // --- other windows ---
    EditorModel editor;
    CodeWindowModel code;
    HelpWindowModel help;
    WaveformState wave;

    // --- the captures of this run, oldest first (PressLog) ---
    std::vector<LoggedPress> pressLog;
    size_t pressesDropped = 0; // the oldest, dropped to keep the log at kPressLogSize

    // What nothing shows is not worked out at each capture: quorvel-cli's
    // decode draws no waveform (no lines, no decode marks) and, unless it
    // gives statistics, keeps no press log.
    bool drawsWaveform = true;
    bool logsPresses = true;

    // --- platform pieces, owned elsewhere ---
    SerialPort* port = nullptr;
    CodeGrid* codeGrid = nullptr;
    ErrorRecord errorRecord;

    // --- outputs ---
    std::vector<std::string> messages;
    int beeps = 0;

    void message(const std::string& text);
    void beep();
    void changed();
    void setTimer2(bool on);
    void captureLoaded();
    void addObserver(SessionObserver* o);
    void removeObserver(SessionObserver* o);

    // Cursor helpers of the capture record.
    const std::string& cellAtCursor() const { return TTable.cell(TimeRow, TimeCol); }
    void advanceCursor();

private:
    std::vector<SessionObserver*> m_observers;
};

} // namespace qv
