<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>Druckereinrichtungsassistent</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>Drucker hinzufügen</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>Dieses Fenster kann erst geschlossen werden, wenn Sie „USB-Verbindung überspringen“ ankreuzen.</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>Warten auf Ihren Drucker…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>Ohne angeschlossenen Drucker fortfahren. Das Ankreuzen gibt Fertig und die Schließen-Schaltfläche des Fensters frei.</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>Zeigt, was bis zum Abschluss der Druckereinrichtung noch zu tun ist.</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>Schließt den Assistenten.</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>Nicht verfügbar, bis Sie „USB-Verbindung überspringen“ ankreuzen; das gibt Fertig und die Schließen-Schaltfläche des Fensters frei.</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>Startet das WLAN-Einrichtungsprogramm und schließt den Assistenten.</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>Fügt den Drucker stattdessen über USB hinzu.</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>Öffnet die Druckereinstellungen. Danach ist Fertig verfügbar; der Assistent schließt sich, sobald die Einstellungen geschlossen sind.</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>Verfügbar, sobald die Druckereinstellungen mit Drucker hinzufügen geöffnet wurden.</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>Für diesen Drucker gibt es bereits eine Druckwarteschlange: %1. Sie können jetzt damit drucken oder den Drucker unten erneut hinzufügen.</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>Die Druckwarteschlange %1 kann gerade nicht drucken: Sie ist angehalten oder nimmt keine Aufträge an. Setzen Sie sie in den Druckereinstellungen fort oder fügen Sie den Drucker unten erneut hinzu.</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb stellt diesen Drucker ohne Treiber bereit, daher kann die Druckwarteschlange %1 nicht drucken, solange es das tut. Drucken Sie über die treiberlose Warteschlange von ipp-usb, oder behalten Sie diese Warteschlange und lassen Sie ipp-usb dieses Modell in Ruhe lassen.</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>Ihr %1 druckt auch ohne Treiber, über IPP-over-USB: Die Druckereinstellungen bieten ihn möglicherweise als treiberlosen Drucker an.</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>„Drucker hinzufügen“ öffnet den Dialog „Neuer Drucker“, in dem Ihr %1 schon ausgewählt ist.
1. Prüfen Sie den vorgeschlagenen Treiber und klicken Sie auf jeder Seite auf „Vorwärts“.
2. Benennen Sie den Drucker nach Wunsch und klicken Sie dann auf „Anwenden“.
Der Assistent schließt sich von selbst, sobald der Dialog geschlossen ist.</translation>
    </message>
</context>
</TS>
