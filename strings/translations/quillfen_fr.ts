<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>VxDialogStrs</name>
    <message>
        <location filename="../VxDialogStrs.cpp" line="8"/>
        <source>Assigned source must be a TVxDialog</source>
        <translation>La source affectée doit être un TVxDialog</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="9"/>
        <source>You must associate a Help File with your application</source>
        <translation>Vous devez associer un fichier d&apos;aide à votre application</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="10"/>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="11"/>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="12"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="13"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="14"/>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="15"/>
        <source>&amp;Abort</source>
        <translation>A&amp;bandonner</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="16"/>
        <source>&amp;Retry</source>
        <translation>&amp;Réessayer</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="17"/>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorer</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="18"/>
        <source>&amp;All</source>
        <translation>&amp;Tout</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="19"/>
        <source>N&amp;o to All</source>
        <translation>Non pour to&amp;ut</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="20"/>
        <source>Yes to &amp;All</source>
        <translation>Oui &amp;pour tout</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="21"/>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="22"/>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="23"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="24"/>
        <source>Error</source>
        <translation>Erreur</translation>
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
        <translation>Saisir le mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="27"/>
        <source>Change Password</source>
        <comment>window caption</comment>
        <translation>Modifier le mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="28"/>
        <source>Change Password</source>
        <comment>title</comment>
        <translation>Modifier le mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="29"/>
        <source>Enter your password</source>
        <comment>instruction</comment>
        <translation>Saisissez votre mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="30"/>
        <source>Change your password</source>
        <comment>instruction</comment>
        <translation>Modifiez votre mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="31"/>
        <source>Change your password</source>
        <comment>header</comment>
        <translation>Modifiez votre mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="32"/>
        <source>Enter and confirm your new password.</source>
        <comment>new password</comment>
        <translation>Saisissez et confirmez votre nouveau mot de passe.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="33"/>
        <source>Enter and confirm your new password.</source>
        <comment>changed password</comment>
        <translation>Saisissez et confirmez votre nouveau mot de passe.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="34"/>
        <source>Entered passwords must be the same.</source>
        <translation>Les mots de passe saisis doivent être identiques.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="35"/>
        <source>Show passwords as plain text</source>
        <translation>Afficher les mots de passe en clair</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="36"/>
        <source>Invalid dialog type (%s) using %s.</source>
        <translation>Type de dialogue non valide (%s) avec %s.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="37"/>
        <source>&amp;Enter Password</source>
        <comment>field label</comment>
        <translation>&amp;Saisir le mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="38"/>
        <source>&amp;Old Password</source>
        <comment>field label</comment>
        <translation>&amp;Ancien mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="39"/>
        <source>&amp;New Password</source>
        <comment>field label</comment>
        <translation>&amp;Nouveau mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="40"/>
        <source>&amp;Confirm New Password</source>
        <comment>field label</comment>
        <translation>&amp;Confirmer le nouveau mot de passe</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="44"/>
        <source>The text has %1 characters; at most %2 are allowed.</source>
        <comment>input length</comment>
        <translation>Le texte compte %1 caractères ; %2 au plus sont permis.</translation>
    </message>
    <message>
        <location filename="../VxDialogStrs.cpp" line="46"/>
        <source>Neither text may contain a vertical bar (|): it separates the two texts.</source>
        <comment>dual input</comment>
        <translation>Aucun des deux textes ne peut contenir de barre verticale (|) : elle sépare les deux textes.</translation>
    </message>
</context>
</TS>
