#pragma once
// Names for the text numbers the code looks up in the TextTable, so a lookup
// reads as the text it shows. The option texts of the settings grid keep their
// numbers in the unit catalogue's tables.

namespace pb {

enum TextNumber : int {
    // Buttons, menus and captions
    TxtClose = 0,
    TxtEdit = 1,
    TxtCancel = 2,
    TxtSave = 3,
    TxtAbout = 4,
    TxtLanguage = 5,
    TxtSettings = 8,
    TxtQuit = 10,
    TxtSureToLeave = 11,
    TxtFolderForSettings = 14,
    TxtComPort = 15,
    TxtSwVersion = 16,
    TxtSent = 17,
    TxtProgramTitle = 19,

    // Tabs and the read and write buttons of each row
    TxtStatus = 20,
    TxtFile = 21,
    TxtUnit = 22,
    TxtService = 23,
    TxtRead = 24,
    TxtWrite = 25,

    // Test call to a pager
    TxtAddress = 42,
    TxtMessage = 55,

    // Settings files and whole-unit transfers
    TxtSaveAsDefault = 81,
    TxtReadDefaultFromFile = 82,
    TxtSaveToFile = 83,
    TxtReadFromFile = 84,
    TxtUnitSettings = 85,
    TxtAllSettings = 86,
    TxtWriteDefaultsToFile = 87,
    TxtOldDefaultsOverwritten = 88,
    TxtAreYouSure = 89,
    TxtReadDefaultsFromFile = 90,
    TxtChangesWillBeLost = 91,
    TxtClearMessageWindow = 92,
    TxtCancelReadWrite = 93, // "Cancel" on the button that drops pending rows
    TxtReadAllFromUnit = 94,
    TxtWriteAllToUnit = 95,
    TxtCallPager = 96,
    TxtBleepcode = 97,

    // Serial port
    TxtComPortClosed = 98,
    TxtErrorClosingComPort = 99,
    TxtOpenedWith = 100,
    TxtErrorOpeningComPort = 101,

    // Exchanges with the unit
    TxtCallTimedOut = 112,
    TxtCallChecksumError = 113,
    TxtCallSucceeded = 114,
    TxtCallFailed = 115,
    TxtWritingOf = 116,
    TxtReadingOf = 117,
    TxtItem = 118,
    TxtValue = 119,
    TxtErrorTimeout = 121,
    TxtError = 122,
    TxtSaved = 123,
    TxtCancelled = 125,
    TxtEnterValidPagerNumber = 126,

    // Opening the diagnose cover
    TxtNext = 127,
    TxtPrevious = 128,
    TxtDontShowAgain = 129,
    TxtOpeningDiagnoseCover = 130,
    TxtSlideLidUp = 131,
    TxtTurnScrewdriver = 132,
    TxtConnectDiagnosePort = 133,

    // Unit type names
    TxtSlidingDoorUnit = 134,
    TxtEspa444ToEspa443 = 135,
    TxtTapToEspa443 = 136,
    TxtEspa443ToEspa444 = 137,
    TxtDp6000ToEspa444 = 150,
    TxtEspa444ToEspa443Fw200 = 161,
    TxtTapToEspa443Fw210 = 163,
};

} // namespace pb
