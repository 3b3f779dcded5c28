// SPDX-License-Identifier: MIT
// Every outlet of the controller, written once. Each row gives the kind of
// element, the outlet's name, the name as its setter spells it, and the label
// it receives at start: a button's Title or a field's Text under a key of the
// strings table, or NoLabel. Rows are in the order the labels are applied.
// The controller's fields and accessors, the wiring by name, the labels and
// the tests' fake interface all come from this list.
#pragma once

// clang-format off
#define RUNNETLUME_OUTLETS(OUTLET)                                                              \
    OUTLET(Window,  window,                       Window,                       NoLabel, "")                   \
    OUTLET(Control, usbNeedTextField,             UsbNeedTextField,             Text,    "usbNeedString")      \
    OUTLET(Control, skipButton,                   SkipButton,                   Title,   "skipString")         \
    OUTLET(Control, nextButton,                   NextButton,                   Title,   "nextString")         \
    OUTLET(Control, doneButton,                   DoneButton,                   Title,   "Done")               \
    OUTLET(Control, skipTextField,                SkipTextField,                Text,    "skipString")         \
    OUTLET(View,    launchNetlumeView,            LaunchNetlumeView,            NoLabel, "")                   \
    OUTLET(Control, okButton,                     OkButton,                     Title,   "OK")                 \
    OUTLET(Control, cancelButton,                 CancelButton,                 Title,   "Cancel")             \
    OUTLET(Control, textField,                    TextField,                    Text,    "QuestionString")     \
    OUTLET(Control, launchNetlumeNoteTextField,   LaunchNetlumeNoteTextField,   Text,    "launchNetlumeNote")  \
    OUTLET(Window,  warmPromptWindow,             WarmPromptWindow,             NoLabel, "")                   \
    OUTLET(Control, okButtonInWarmPromptWindow,   OkButtonInWarmPromptWindow,   NoLabel, "")                   \
    OUTLET(Control, warmPromptTextField,          WarmPromptTextField,          Text,    "warmPrompt")         \
    OUTLET(Window,  addPrinterWindow,             AddPrinterWindow,             NoLabel, "")                   \
    OUTLET(Control, addPrinterTextField,          AddPrinterTextField,          Text,    "addPrinter")         \
    OUTLET(Control, queueNoteTextField,           QueueNoteTextField,           NoLabel, "")                   \
    OUTLET(Control, queueStateNoteTextField,      QueueStateNoteTextField,      NoLabel, "")                   \
    OUTLET(Control, ippUsbNoteTextField,          IppUsbNoteTextField,          NoLabel, "")                   \
    OUTLET(Control, driverlessNoteTextField,      DriverlessNoteTextField,      NoLabel, "")                   \
    OUTLET(Control, dialogNoteTextField,          DialogNoteTextField,          NoLabel, "")                   \
    OUTLET(Control, stepsPromptTextField,         StepsPromptTextField,         Text,    "stepsPromptString")  \
    OUTLET(Control, step1TextField,               Step1TextField,               Text,    "step1")              \
    OUTLET(Control, step2TextField,               Step2TextField,               Text,    "step2")              \
    OUTLET(Control, step3TextField,               Step3TextField,               Text,    "step3")              \
    OUTLET(Control, step4TextField,               Step4TextField,               Text,    "step4")              \
    OUTLET(Control, addPrinterNoteTextField,      AddPrinterNoteTextField,      Text,    "addPrinterNote")     \
    OUTLET(Control, addPrinterButton,             AddPrinterButton,             Title,   "addPrinter")         \
    OUTLET(Control, doneButtonInAddPrinterWindow, DoneButtonInAddPrinterWindow, Title,   "Done")
// clang-format on
