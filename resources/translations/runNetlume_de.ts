<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>usbNeedString</source>
        <translation>Schließen Sie den Drucker mit einem USB-Kabel an diesen Computer an und schalten Sie ihn ein. Der Assistent fährt fort, sobald der Drucker erkannt ist.</translation>
    </message>
    <message id="skipString">
        <source>skipString</source>
        <translation>USB-Verbindung überspringen</translation>
    </message>
    <message id="nextString">
        <source>nextString</source>
        <translation>Weiter</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="QuestionString">
        <source>QuestionString</source>
        <translation>Ihr Drucker kann sich mit einem WLAN verbinden. Möchten Sie das WLAN jetzt einrichten?</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>launchNetlumeNote</source>
        <translation>Wählen Sie OK, um das WLAN-Einrichtungsprogramm zu starten. Wählen Sie Abbrechen, um den Drucker stattdessen über USB hinzuzufügen.</translation>
    </message>
    <message id="warmPrompt">
        <source>warmPrompt</source>
        <translation>Die Druckereinrichtung ist noch nicht abgeschlossen.</translation>
    </message>
    <message id="addPrinter">
        <source>addPrinter</source>
        <translation>Drucker hinzufügen</translation>
    </message>
    <message id="stepsPromptString">
        <source>stepsPromptString</source>
        <translation>So fügen Sie Ihren Drucker in vier Schritten hinzu:</translation>
    </message>
    <message id="step1">
        <source>step1</source>
        <translation>1. Klicken Sie unten auf „Drucker hinzufügen“.</translation>
    </message>
    <message id="step2">
        <source>step2</source>
        <translation>2. Wählen Sie im Fenster der Druckereinstellungen „Hinzufügen“.</translation>
    </message>
    <message id="step3">
        <source>step3</source>
        <translation>3. Wählen Sie Ihren Drucker in der Liste der USB-Drucker aus.</translation>
    </message>
    <message id="step4">
        <source>step4</source>
        <translation>4. Bestätigen Sie den Treiber, schließen Sie die Einrichtung ab und schließen Sie dann das Fenster der Druckereinstellungen.</translation>
    </message>
    <message id="addPrinterNote">
        <source>addPrinterNote</source>
        <translation>Der Assistent schließt sich von selbst, sobald das Fenster der Druckereinstellungen geschlossen ist.</translation>
    </message>
</context>
</TS>
