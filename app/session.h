// The one shared session: what the windows show and set, the capture
// record, and the last capture's decode. Windows observe it and forward the
// user's actions; the session itself never calls a window. Messages, beeps
// and timer switches are outputs: recorded here and announced to the
// observers.
#pragma once

#include "app/code_window_model.h"
#include "app/demodulation.h"
#include "app/editor_model.h"
#include "app/help_window_model.h"
#include "app/last_capture.h"
#include "app/logged_press.h"
#include "app/session_observer.h"
#include "app/waveform_state.h"
#include "capture/capture_record.h"
#include "engine/decode.h"
#include "errorlog/error_record.h"
#include "platform/code_grid.h"
#include "platform/serial_port.h"
#include "platform/table_cursor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// What the decode is asked to do, as the user set it.
struct DecodeOptions {
    float timeTolerance = 0.03f; // a share of the standard time
    float cycleTolerance = 500;  // µs
    Demodulation demod;
    int16_t waitTime = 15000; // the learner's wait time, µs
    int16_t zeroOneTime = 100;
    std::string lineBreak = "\r\n"; // of code lines and records
    bool ignoreTime = false;        // "Ignore Time": learn, record no errors
    bool octal = false;             // HEX/OCT: bytes shown as decimal numbers
    // Bumped where the tolerance boxes are to show the tolerances in force
    // (toleranceText); until then a box keeps what the user typed.
    unsigned tolerancesShown = 0;
};

// The format the captures are decoded with, and how it is chosen.
struct FormatSelection {
    std::string cataloguePath = "IRTime.db";
    std::string name; // as the format box shows it: "Form016(NEC N-8)"
    std::unique_ptr<TableCursor> cursor;
    // The cursor's row as the decode reads it, kept while the cursor shows
    // the same row: a capture after capture does not copy the row again.
    struct RowRead {
        std::shared_ptr<const void> rows;
        std::optional<size_t> position;
        engine::FormatRow row;
    } rowRead;
    bool readOrder = false;
    std::string repeat;     // the row's Repeat text
    bool automatic = false; // IRMenu "Auto": search the catalogue when a decode fails
    int16_t autoIndex = 0;  // formats tried by the search so far
};

// The serial link as the main window shows it.
struct LinkState {
    int portPosition = -1;                      // in the port list, -1 before start-up
    std::string connectCaption = "Dis&Connect"; // the menu's caption
    bool iconVisible = true;
    std::string iconFile;   // "rs232.bmp" or "rs232u.bmp"
    bool idleTimer = false; // the blink and the unit's poll
    int16_t blinkPhase = 1;
};

// IRMenu "Compare": each code is compared with the sample held.
struct SampleComparison {
    bool on = false;
    std::string code;
    bool held = false;
};

// What the session gives out, and which of it is worked out at all.
struct SessionOutputs {
    std::vector<std::string> messages;
    int beeps = 0;
    // What nothing shows is not worked out at each capture: quorvel-cli's
    // decode draws no waveform (no lines, no decode marks) and, unless it
    // gives statistics, keeps no press log.
    bool drawsWaveform = true;
    bool logsPresses = true;
};

// What the session works with outside itself.
struct SessionSurroundings {
    // Icons, help and samples: the program's directory unless the program
    // is installed (main sets it).
    std::string resourceDir;
    SerialPort* port = nullptr;   // owned elsewhere
    CodeGrid* codeGrid = nullptr; // owned elsewhere
    ErrorRecord errorRecord;
};

class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    DecodeOptions decoding;
    FormatSelection format;
    LinkState link;
    SampleComparison sample;

    // --- capture record and read cursor ---
    TimeTable TTable;
    int16_t TimeRows = kDataRows;
    long TimeRow = 1;
    int16_t TimeCol = 1;

    LastCapture last; // the capture shown, whole, and its decode

    // --- other windows ---
    EditorModel editor;
    CodeWindowModel code;
    HelpWindowModel help;
    WaveformState wave;

    // --- the captures of this run, oldest first (PressLog) ---
    std::vector<LoggedPress> pressLog;
    size_t pressesDropped = 0; // the oldest, dropped to keep the log at kPressLogSize

    SessionOutputs out;
    SessionSurroundings env;

    void message(const std::string& text);
    void beep();
    void changed();
    void setIdleTimer(bool on);
    void captureLoaded();
    void addObserver(SessionObserver* o);
    void removeObserver(SessionObserver* o);

private:
    std::vector<SessionObserver*> m_observers;
};

} // namespace qv
