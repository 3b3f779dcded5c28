<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>Assistente di configurazione stampante</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>Aggiungi stampante</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>Questa finestra non si può chiudere finché non selezioni «Salta la connessione USB».</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>In attesa della stampante…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>Prosegui senza una stampante collegata. Selezionarla sblocca Fine e il pulsante di chiusura della finestra.</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>Mostra cosa resta da fare prima che la configurazione della stampante sia completa.</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>Chiude l’assistente.</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>Non disponibile finché non selezioni «Salta la connessione USB», che sblocca Fine e il pulsante di chiusura della finestra.</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>Avvia lo strumento di configurazione Wi-Fi e chiude l’assistente.</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>Aggiunge invece la stampante tramite USB.</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>Apre le impostazioni della stampante. Dopo, Fine diventa disponibile; l’assistente si chiude quando le impostazioni vengono chiuse.</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>Disponibile dopo aver aperto le impostazioni della stampante con Aggiungi stampante.</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>Questa stampante ha già una coda di stampa: %1. Puoi stampare subito oppure aggiungere di nuovo la stampante qui sotto.</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>La coda di stampa %1 non può stampare ora: è ferma o non accetta lavori. Riprendila nelle impostazioni delle stampanti, oppure aggiungi di nuovo la stampante qui sotto.</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb gestisce questa stampante senza driver, quindi la coda di stampa %1 non può stampare finché lo fa. Stampa con la coda senza driver offerta da ipp-usb, oppure tieni questa coda e fai in modo che ipp-usb ignori questo modello.</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>La tua %1 stampa anche senza driver, tramite IPP su USB: le impostazioni delle stampanti potrebbero proporla come stampante senza driver.</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>«Aggiungi stampante» apre la finestra «Nuova stampante» con la tua %1 già scelta.
1. Controlla il driver proposto e fai clic su «Avanti» in ogni pagina.
2. Dai un nome alla stampante, se vuoi, poi fai clic su «Applica».
L’assistente si chiude da solo quando la finestra viene chiusa.</translation>
    </message>
</context>
</TS>
