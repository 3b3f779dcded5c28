<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</source>
        <extracomment>Connect screen: the request to plug the printer in.</extracomment>
        <translation>请用 USB 线缆将打印机连接到这台电脑并打开电源。一旦找到打印机，助理会自动继续。</translation>
    </message>
    <message id="skipString">
        <source>Skip the USB connection</source>
        <extracomment>Connect screen: the skip check box and the text beside it.</extracomment>
        <translation>跳过 USB 连接</translation>
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
        <translation>确定</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <extracomment>Wi-Fi question: the button that goes on over USB.</extracomment>
        <translation>取消</translation>
    </message>
    <message id="QuestionString">
        <source>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</source>
        <extracomment>Wi-Fi question: the question itself.</extracomment>
        <translation>您的打印机可以加入 Wi-Fi 网络。要现在设置 Wi-Fi 吗？</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</source>
        <extracomment>Wi-Fi question: the note below the question.</extracomment>
        <translation>选择“确定”以启动 Wi-Fi 设置工具。选择“取消”则改为通过 USB 添加打印机。</translation>
    </message>
    <message id="warmPrompt">
        <source>The printer setup is not finished yet.</source>
        <extracomment>Reminder window opened by Next.</extracomment>
        <translation>打印机设置尚未完成。</translation>
    </message>
    <message id="addPrinter">
        <source>Add Printer</source>
        <extracomment>Add Printer window: its heading and the button that opens the printer settings.</extracomment>
        <translation>添加打印机</translation>
    </message>
    <message id="stepsPromptString">
        <source>To add your printer, follow these four steps:</source>
        <extracomment>Add Printer window: introduces the four steps.</extracomment>
        <translation>要添加打印机，请按以下四个步骤操作：</translation>
    </message>
    <message id="step1">
        <source>1. Click Add Printer below.</source>
        <extracomment>Add Printer window: step 1.</extracomment>
        <translation>1. 点击下方的“添加打印机”。</translation>
    </message>
    <message id="step2">
        <source>2. In the printer settings window, choose Add.</source>
        <extracomment>Add Printer window: step 2.</extracomment>
        <translation>2. 在打印机设置窗口中选择“添加”。</translation>
    </message>
    <message id="step3">
        <source>3. Select your printer in the list of USB printers.</source>
        <extracomment>Add Printer window: step 3.</extracomment>
        <translation>3. 在 USB 打印机列表中选择您的打印机。</translation>
    </message>
    <message id="step4">
        <source>4. Confirm the driver and finish, then close the printer settings window.</source>
        <extracomment>Add Printer window: step 4.</extracomment>
        <translation>4. 确认驱动程序并完成，然后关闭打印机设置窗口。</translation>
    </message>
    <message id="addPrinterNote">
        <source>The assistant closes by itself once the printer settings window is closed.</source>
        <extracomment>Add Printer window: the note below the steps.</extracomment>
        <translation>打印机设置窗口关闭后，助理会自动关闭。</translation>
    </message>
</context>
</TS>
