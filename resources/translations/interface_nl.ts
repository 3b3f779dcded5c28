<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>Printerinstallatie-assistent</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>Printer toevoegen</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>Dit venster kan pas worden gesloten als u ‘USB-verbinding overslaan’ aanvinkt.</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>Wachten op uw printer…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>Doorgaan zonder aangesloten printer. Aanvinken maakt Gereed en de sluitknop van het venster beschikbaar.</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>Toont wat er nog moet gebeuren voordat de printerinstallatie klaar is.</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>Sluit de assistent.</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>Niet beschikbaar totdat u ‘USB-verbinding overslaan’ aanvinkt; dat maakt Gereed en de sluitknop van het venster beschikbaar.</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>Start het hulpprogramma voor Wi-Fi-instellingen en sluit de assistent.</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>Voegt de printer in plaats daarvan via USB toe.</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>Opent de printerinstellingen. Daarna wordt Gereed beschikbaar; de assistent sluit zodra de instellingen zijn gesloten.</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>Beschikbaar zodra de printerinstellingen met Printer toevoegen zijn geopend.</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>Deze printer heeft al een afdrukwachtrij: %1. U kunt er nu mee afdrukken, of de printer hieronder opnieuw toevoegen.</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>De afdrukwachtrij %1 kan nu niet afdrukken: hij is gestopt of neemt geen taken aan. Hervat hem in de printerinstellingen, of voeg de printer hieronder opnieuw toe.</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb bedient deze printer zonder stuurprogramma, dus de afdrukwachtrij %1 kan niet afdrukken zolang dat zo is. Druk af met de wachtrij zonder stuurprogramma die ipp-usb aanbiedt, of houd deze wachtrij en laat ipp-usb dit model met rust.</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>Uw %1 drukt ook af zonder stuurprogramma, via IPP-over-USB: de printerinstellingen kunnen hem aanbieden als printer zonder stuurprogramma.</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>‘Printer toevoegen’ opent het venster ‘Nieuwe printer’ met uw %1 al gekozen.
1. Controleer het voorgestelde stuurprogramma en klik op elke pagina op ‘Vooruit’.
2. Geef de printer desgewenst een naam en klik dan op ‘Toepassen’.
De assistent sluit vanzelf zodra het venster is gesloten.</translation>
    </message>
</context>
</TS>
