<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>VxDialogStrs</name>
    <message>
        <location filename="../VxDialogStrs.cpp" line="8"/>
        <source>Assigned source must be a TVxDialog</source>
        <translation>Die zugewiesene Quelle muss ein TVxDialog sein</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="9"/>
        <source>You must associate a Help File with your application</source>
        <translation>Sie müssen Ihrer Anwendung eine Hilfedatei zuordnen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="10"/>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="11"/>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="12"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="13"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="14"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="15"/>
        <source>&amp;Abort</source>
        <translation>A&amp;bbruch</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="16"/>
        <source>&amp;Retry</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="17"/>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorieren</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="18"/>
        <source>&amp;All</source>
        <translation>&amp;Alle</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="19"/>
        <source>N&amp;o to All</source>
        <translation>N&amp;ein für alle</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="20"/>
        <source>Yes to &amp;All</source>
        <translation>Ja für a&amp;lle</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="21"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="22"/>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="23"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="24"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="25"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="26"/>
        <source>Enter Password</source>
        <comment>window caption</comment>
        <translation>Kennwort eingeben</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="27"/>
        <source>Change Password</source>
        <comment>window caption</comment>
        <translation>Kennwort ändern</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="28"/>
        <source>Change Password</source>
        <comment>title</comment>
        <translation>Kennwort ändern</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="29"/>
        <source>Enter your password</source>
        <comment>instruction</comment>
        <translation>Geben Sie Ihr Kennwort ein</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="30"/>
        <source>Change your password</source>
        <comment>instruction</comment>
        <translation>Ändern Sie Ihr Kennwort</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="31"/>
        <source>Change your password</source>
        <comment>header</comment>
        <translation>Ändern Sie Ihr Kennwort</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="32"/>
        <source>Enter and confirm your new password.</source>
        <comment>new password</comment>
        <translation>Geben Sie Ihr neues Kennwort ein und bestätigen Sie es.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="33"/>
        <source>Enter and confirm your new password.</source>
        <comment>changed password</comment>
        <translation>Geben Sie Ihr neues Kennwort ein und bestätigen Sie es.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="34"/>
        <source>Entered passwords must be the same.</source>
        <translation>Die eingegebenen Kennwörter müssen übereinstimmen.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="35"/>
        <source>Show passwords as plain text</source>
        <translation>Kennwörter als Klartext anzeigen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="36"/>
        <source>Invalid dialog type (%s) using %s.</source>
        <translation>Ungültiger Dialogtyp (%s) bei Verwendung von %s.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="37"/>
        <source>&amp;Enter Password</source>
        <comment>field label</comment>
        <translation>Kennwort &amp;eingeben</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="38"/>
        <source>&amp;Old Password</source>
        <comment>field label</comment>
        <translation>&amp;Altes Kennwort</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="39"/>
        <source>&amp;New Password</source>
        <comment>field label</comment>
        <translation>&amp;Neues Kennwort</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="40"/>
        <source>&amp;Confirm New Password</source>
        <comment>field label</comment>
        <translation>Neues Kennwort &amp;bestätigen</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="44"/>
        <source>The text has %1 characters; at most %2 are allowed.</source>
        <comment>input length</comment>
        <translation>Der Text hat %1 Zeichen; höchstens %2 sind erlaubt.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="46"/>
        <source>Neither text may contain a vertical bar (|): it separates the two texts.</source>
        <comment>dual input</comment>
        <translation>Keiner der beiden Texte darf einen senkrechten Strich (|) enthalten: er trennt die beiden Texte.</translation>
    </message>
</context>
</TS>
