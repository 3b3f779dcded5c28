<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>打印机设置助理</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>添加打印机</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>勾选“跳过 USB 连接”之前，无法关闭此窗口。</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>正在等待您的打印机…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>不连接打印机继续。勾选后可使用“完成”和窗口的关闭按钮。</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>显示完成打印机设置还需要做什么。</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>关闭助理。</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>勾选“跳过 USB 连接”之前不可用；勾选后可使用“完成”和窗口的关闭按钮。</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>启动 Wi-Fi 设置工具并关闭助理。</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>改为通过 USB 添加打印机。</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>打开打印机设置。之后即可使用“完成”；设置关闭后，助理也会关闭。</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>用“添加打印机”打开打印机设置后可用。</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>确定</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>此打印机已有打印队列：%1。您现在就可以用它打印，也可以在下方再次添加打印机。</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>打印队列 %1 现在无法打印：它已停止或不接受作业。请在打印机设置中恢复它，或在下面再次添加打印机。</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb 正以免驱动方式提供这台打印机，因此在此期间打印队列 %1 无法打印。请使用 ipp-usb 提供的免驱动队列打印，或保留此队列并让 ipp-usb 不再处理此型号。</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>您的 %1 也可以通过 IPP over USB 免驱动打印：打印机设置可能会将其作为免驱动打印机提供。</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>“添加打印机”会打开“新打印机”对话框，并已选中您的 %1。
1. 检查它建议的驱动程序，并在每一页点击“转发”。
2. 如有需要为打印机命名，然后点击“应用”。
对话框关闭后，助理会自动关闭。</translation>
    </message>
</context>
</TS>
