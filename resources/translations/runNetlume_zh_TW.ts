<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</source>
        <extracomment>Connect screen: the request to plug the printer in.</extracomment>
        <translation>請用 USB 連接線將印表機連接到這台電腦並開啟電源。一偵測到印表機，小幫手就會自動繼續。</translation>
    </message>
    <message id="skipString">
        <source>Skip the USB connection</source>
        <extracomment>Connect screen: the skip check box and the text beside it.</extracomment>
        <translation>略過 USB 連線</translation>
    </message>
    <message id="nextString">
        <source>Next</source>
        <extracomment>Connect screen: the Next button.</extracomment>
        <translation>下一步</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <extracomment>Done buttons of the connect screen and of the Add Printer window.</extracomment>
        <translation>完成</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <extracomment>Wi-Fi question: the button that starts the Wi-Fi setup tool.</extracomment>
        <translation>確定</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <extracomment>Wi-Fi question: the button that goes on over USB.</extracomment>
        <translation>取消</translation>
    </message>
    <message id="QuestionString">
        <source>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</source>
        <extracomment>Wi-Fi question: the question itself.</extracomment>
        <translation>您的印表機可以連上 Wi-Fi 網路。要現在設定 Wi-Fi 嗎？</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</source>
        <extracomment>Wi-Fi question: the note below the question.</extracomment>
        <translation>選擇「確定」以啟動 Wi-Fi 設定工具。選擇「取消」則改以 USB 新增印表機。</translation>
    </message>
    <message id="warmPrompt">
        <source>The printer setup is not finished yet.</source>
        <extracomment>Reminder window opened by Next.</extracomment>
        <translation>印表機設定尚未完成。</translation>
    </message>
    <message id="addPrinter">
        <source>Add Printer</source>
        <extracomment>Add Printer window: its heading and the button that opens the printer settings.</extracomment>
        <translation>新增印表機</translation>
    </message>
    <message id="stepsPromptString">
        <source>To add your printer, follow these four steps:</source>
        <extracomment>Add Printer window: introduces the four steps.</extracomment>
        <translation>請依照以下四個步驟新增印表機：</translation>
    </message>
    <message id="step1">
        <source>1. Click Add Printer below.</source>
        <extracomment>Add Printer window: step 1.</extracomment>
        <translation>1. 按一下下方的「新增印表機」。</translation>
    </message>
    <message id="step2">
        <source>2. In the printer settings window, choose Add.</source>
        <extracomment>Add Printer window: step 2.</extracomment>
        <translation>2. 在印表機設定視窗中選擇「加入」。</translation>
    </message>
    <message id="step3">
        <source>3. Select your printer in the list of USB printers.</source>
        <extracomment>Add Printer window: step 3.</extracomment>
        <translation>3. 在 USB 印表機清單中選擇您的印表機。</translation>
    </message>
    <message id="step4">
        <source>4. Confirm the driver and finish, then close the printer settings window.</source>
        <extracomment>Add Printer window: step 4.</extracomment>
        <translation>4. 確認驅動程式並完成設定，然後關閉印表機設定視窗。</translation>
    </message>
    <message id="addPrinterNote">
        <source>The assistant closes by itself once the printer settings window is closed.</source>
        <extracomment>Add Printer window: the note below the steps.</extracomment>
        <translation>印表機設定視窗關閉後，小幫手會自動關閉。</translation>
    </message>
</context>
</TS>
