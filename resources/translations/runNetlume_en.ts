<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>usbNeedString</source>
        <translation>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</translation>
    </message>
    <message id="skipString">
        <source>skipString</source>
        <translation>Skip the USB connection</translation>
    </message>
    <message id="nextString">
        <source>nextString</source>
        <translation>Next</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="QuestionString">
        <source>QuestionString</source>
        <translation>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>launchNetlumeNote</source>
        <translation>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</translation>
    </message>
    <message id="warmPrompt">
        <source>warmPrompt</source>
        <translation>The printer setup is not finished yet.</translation>
    </message>
    <message id="addPrinter">
        <source>addPrinter</source>
        <translation>Add Printer</translation>
    </message>
    <message id="stepsPromptString">
        <source>stepsPromptString</source>
        <translation>To add your printer, follow these four steps:</translation>
    </message>
    <message id="step1">
        <source>step1</source>
        <translation>1. Click Add Printer below.</translation>
    </message>
    <message id="step2">
        <source>step2</source>
        <translation>2. In the printer settings window, choose Add.</translation>
    </message>
    <message id="step3">
        <source>step3</source>
        <translation>3. Select your printer in the list of USB printers.</translation>
    </message>
    <message id="step4">
        <source>step4</source>
        <translation>4. Confirm the driver and finish, then close the printer settings window.</translation>
    </message>
    <message id="addPrinterNote">
        <source>addPrinterNote</source>
        <translation>The assistant closes by itself once the printer settings window is closed.</translation>
    </message>
</context>
</TS>
