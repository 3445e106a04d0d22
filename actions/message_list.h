// Every message of the program: QUAVREL_MESSAGE(variable, key, English default), in the order
// they are registered. Keys are written as a language file's "Messages" section names them,
// the key-binding dialog's ones padded with blanks as they always were.
// QUAVREL_MESSAGE_AGAIN registers a variable a second time under a key.
// No include guard: each user defines the two macros, includes this list and undefines them.

QUAVREL_MESSAGE(SQuavrelUrl, "SQuavrelUrl", "https://quavrel.org/")
QUAVREL_MESSAGE(SQuavrelUrlCaption, "SQuavrelUrlCaption", "Quavrel Home Page")
QUAVREL_MESSAGE(SFontName, "SFontName", "Times New Roman")
QUAVREL_MESSAGE(SMenuItemClose, "SMenuItemClose", "&Close")
QUAVREL_MESSAGE(SMenuItemSet, "SMenuItemSet", "&Set")
QUAVREL_MESSAGE(SMenuItemEject, "SMenuItemEject", "&Eject")
QUAVREL_MESSAGE(SMenuItemOpenAs, "SMenuItemOpenAs", "&Open with another application")
QUAVREL_MESSAGE(SMenuItemExport, "SMenuItemExport", "&Save")
QUAVREL_MESSAGE(SMenuItemSetTitle, "SMenuItemSetTitle", "Set &title of this window")
QUAVREL_MESSAGE_AGAIN(SMenuItemSetTitle, "SMenuItemSetTitle")
QUAVREL_MESSAGE(SSetWindowTitleCaption, "SSetWindowTitleCaption", "Set Caption of This Window")
QUAVREL_MESSAGE(SSetWindowTitlePrompt, "SSetWindowTitlePrompt", "Title : ")
QUAVREL_MESSAGE(SSelectFrmCassette, "SSelectFrmCassette", "Recorded Data %d")
QUAVREL_MESSAGE(SSelectFrmRepeat, "SSelectFrmRepeat", "Repeat Section %d")
QUAVREL_MESSAGE(SSelectFrmCaption, "SSelectFrmCaption", "Select Window")
QUAVREL_MESSAGE(SSelectFrmNone, "SSelectFrmNone", "(Eject)")
QUAVREL_MESSAGE(SWaveExpansionStart, "SWaveExpansionStart", "Start")
QUAVREL_MESSAGE(SWaveExpansionPreConvert, "SWaveExpansionPreConvert",
                "Extracting wave data from the Windows wave file...")
QUAVREL_MESSAGE(SWaveExpansionExpanding, "SWaveExpansionExpanding", "Expanding wave data...")
QUAVREL_MESSAGE(SWaveExpansionRectifying, "SWaveExpansionRectifying", "Rectifying sound quality...")
QUAVREL_MESSAGE(SWaveExpansionPostConvert, "SWaveExpansionPostConvert",
                "Restoring the Windows wave file...")
QUAVREL_MESSAGE(SWaveExpansionEnd, "SWaveExpansionEnd", "End")
QUAVREL_MESSAGE(SWaveExpansionCaption, "SWaveExpansionCaption", "Now Processing...")
QUAVREL_MESSAGE(SWaveExpansionError, "SWaveExpansionError",
                "The specified file is not WAVE_FORMAT_PCM. Quavrel supports only WAVE_FORMAT_PCM.")
QUAVREL_MESSAGE(SNewFolder, "SNewFolder", "New Folder")
QUAVREL_MESSAGE(SReadFileListError, "SReadFileListError",
                "An error occurred when reading the file list.")
QUAVREL_MESSAGE(SFileList, "SFileList", "Registered File List")
QUAVREL_MESSAGE(SConfirmDeleteNode, "SConfirmDeleteNode", "%s will be deleted. Continue?")
QUAVREL_MESSAGE(SPlayCD, "SPlayCD", "DRIVE %s")
QUAVREL_MESSAGE(SPlayFile, "SPlayFile", " FILE ")
QUAVREL_MESSAGE(SMSG_FOUNDDISUSEFILES, "SMSG_FOUNDDISUSEFILES",
                "%d unused temporary files of Quavrel were found.\rQuavrel can delete them. They "
                "only take up disk space, but you can stop this process.\rYou can also read the "
                "list of the files first. Do you want to read it?")
QUAVREL_MESSAGE(SMSG_CONFIRMDELETEDISUSEFILE, "SMSG_CONFIRMDELETEDISUSEFILE",
                "Quavrel is going to delete the unused files found. Continue?")
QUAVREL_MESSAGE(SMSG_DONEDELETE, "SMSG_DONEDELETE", "%d files were successfully deleted.")
QUAVREL_MESSAGE(SMSG_FAILEDDELETE, "SMSG_FAILEDDELETE", "Failed to delete the file. %s")
QUAVREL_MESSAGE(SFileNotFound, "SFileNotFound", "%s does not exist.")
QUAVREL_MESSAGE(SCouldNotPlayFile, "SCouldNotPlayFile", "An error occurred while playing the file.")
QUAVREL_MESSAGE(SCouldNotPlayCD, "SCouldNotPlayCD", "Failed to play the CD.")
QUAVREL_MESSAGE(SInternalError, "SInternalError", "An internal error occurred in %s")
QUAVREL_MESSAGE(SExpandWaveWaveFileInfo1, "SExpandWaveWaveFileInfo1", "%d(sample)  %2.3f(sec)")
QUAVREL_MESSAGE(SExpandWaveWaveFileInfo2, "SExpandWaveWaveFileInfo2", "%dch %d/%d(bit/sample)")
QUAVREL_MESSAGE(RHINT_AUTOREC, "RHINT_AUTOREC",
                "Automatic Recording : \rAutomatically record the current repeat section.")
QUAVREL_MESSAGE(
    RHINT_JUMPTOSTARTTIME, "RHINT_JUMPTOSTARTTIME",
    "Jump to the Repeat Head : \rJump to the start point of the current repeat section.")
QUAVREL_MESSAGE(RHINT_HISTORYBACK, "RHINT_HISTORYBACK",
                "History Back : \rJump back to where you were before your last jump (as the "
                "\"back\" button of a web browser does).")
QUAVREL_MESSAGE(RHINT_BACK, "RHINT_BACK", "Rewind : Rewind the current playing position.")
QUAVREL_MESSAGE(
    RHINT_CONFIG, "RHINT_CONFIG",
    "Configuration : \rSet up the sound processing quality, the recording source, playing, etc.")
QUAVREL_MESSAGE(RHINT_EJECT, "RHINT_EJECT",
                "Eject : \rEject or load the CD (only works when playing a CD).")
QUAVREL_MESSAGE(RHINT_EXECSPEEDCHANGE, "RHINT_EXECSPEEDCHANGE",
                "Execute Time Expanding : \rExpand the time of the current recorded data without "
                "changing its pitch.")
QUAVREL_MESSAGE(RHINT_EXIT, "RHINT_EXIT", "Exit : \rTerminate Quavrel.")
QUAVREL_MESSAGE(RHINT_MINIMIZE, "RHINT_MINIMIZE", "Minimize : \rMinimize Quavrel.")
QUAVREL_MESSAGE(RHINT_NEXTTRACK, "RHINT_NEXTTRACK", "Next Track :")
QUAVREL_MESSAGE(RHINT_PAUSE, "RHINT_PAUSE", "Pause : ")
QUAVREL_MESSAGE(RHINT_PLAY, "RHINT_PLAY", "Play : ")
QUAVREL_MESSAGE(RHINT_PREVTRACK, "RHINT_PREVTRACK", "Previous Track")
QUAVREL_MESSAGE(RHINT_REC, "RHINT_REC",
                "Record : Record while pressing this button.\rIf you cannot catch a note because "
                "it is too fast, you can slow the recording down without changing its pitch.")
QUAVREL_MESSAGE(RHINT_REPENDBACK, "RHINT_REPENDBACK",
                "Move current repeat section : \rThe tail position of the current repeat section "
                "moves back while you press this button.")
QUAVREL_MESSAGE(
    RHINT_REPENDSET, "RHINT_REPENDSET",
    "Set current repeat section : \rSet the tail position of the current repeat section.")
QUAVREL_MESSAGE(RHINT_REPENDSTEP, "RHINT_REPENDSTEP",
                "Move current repeat section : \rThe tail position of the current repeat section "
                "moves forward while you press this button.")
QUAVREL_MESSAGE(RHINT_REPSTARTBACK, "RHINT_REPSTARTBACK",
                "Move current repeat section : \rThe head position of the current repeat section "
                "moves back while you press this button.")
QUAVREL_MESSAGE(
    RHINT_REPSTARTSET, "RHINT_REPSTARTSET",
    "Set current repeat section : \rSet the head position of the current repeat section.")
QUAVREL_MESSAGE(RHINT_REPSTARTSTEP, "RHINT_REPSTARTSTEP",
                "Move current repeat section : \rThe head position of the current repeat section "
                "moves forward while you press this button.")
QUAVREL_MESSAGE(RHINT_REPEATPLAYSWITCH, "RHINT_REPEATPLAYSWITCH",
                "Toggle Repeat Playing Switch : \rYou can enable repeat playing with this button "
                "when the repeat section is set correctly.")
QUAVREL_MESSAGE(RHINT_RESTORESPEEDCHANGE, "RHINT_RESTORESPEEDCHANGE",
                "Restore time expanding : Restore the playing speed of the current recorded data.")
QUAVREL_MESSAGE(RHINT_STEP, "RHINT_STEP", "Fast-Forwarding")
QUAVREL_MESSAGE(RHINT_STOP, "RHINT_STOP", "Stop")
QUAVREL_MESSAGE(RHINT_TRASH, "RHINT_TRASH",
                "Trash : Close the current cassette tape window or repeat memory window.")
QUAVREL_MESSAGE(RHINT_SELECT, "RHINT_SELECT",
                "Select Window: Open a dialog window that lists all windows.\rThe one you pick is "
                "set to the main window automatically.")
QUAVREL_MESSAGE(RHINT_EJECT_CASSETTE, "RHINT_EJECT_CASSETTE",
                "Eject Cassette Tape : Eject the current cassette tape. It will be placed in an "
                "appropriate position.")
QUAVREL_MESSAGE(RHINT_WAVEFAST, "RHINT_WAVEFAST",
                "Fast : Change the speed of the current recorded data.\r(After changing the speed, "
                "you have to press the execute button.)")
QUAVREL_MESSAGE(RHINT_WAVESLOW, "RHINT_WAVESLOW",
                "Slow : Change the speed of the current recorded data.\r(After changing the speed, "
                "you have to press the execute button.)")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_RATIO, "RHINT_SCROLLBAR_RATIO",
                "Speed of the current recorded data : slower to the left, faster to the right.\r"
                "(After changing the speed, you have to press the execute button.)")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_REPEATEND, "RHINT_SCROLLBAR_REPEATEND", "Repeat Section's tail")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_REPEATSTART, "RHINT_SCROLLBAR_REPEATSTART", "Repeat Section's head")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_TIME, "RHINT_SCROLLBAR_TIME", "Current position")
QUAVREL_MESSAGE(RHINT_CURRENT_TIME, "RHINT_CURRENT_TIME", "Current position")
QUAVREL_MESSAGE(RHINT_REPEATSTART_TIME, "RHINT_REPEATSTART_TIME", "Repeat Section's Head")
QUAVREL_MESSAGE(RHINT_REPEATEND_TIME, "RHINT_REPEATEND_TIME", "Repeat Section's Tail")
QUAVREL_MESSAGE(RHINT_DOCKING_POINT, "RHINT_DOCKING_POINT",
                "Docking Point : If a wave data window or a repeat section data window is dragged "
                "here,\rthe window is docked to the main window and becomes the current data.")
QUAVREL_MESSAGE(RHINT_SPEED, "RHINT_SPEED",
                "Ratio of Time Expanding : \rThe length of the copy \"EXECUTE\" makes, in percent "
                "of the recorded data.\r150 % = half as long again, slower; 50 % = half as long, "
                "faster.\r(With \"Don't Care If Pitch Is Changed\": semitones lower, +12 = an "
                "octave lower and twice as long.)")
QUAVREL_MESSAGE(RHINT_FORMAT, "RHINT_FORMAT", "%s [%s]")
QUAVREL_MESSAGE(SSaveDialogTitle, "SSaveDialogTitle      ", "Save the current key bind")
QUAVREL_MESSAGE(SSaveDialogPrompt, "SSaveDialogPrompt     ", "Name")
QUAVREL_MESSAGE(SSaveDialogDuplicate, "SSaveDialogDuplicate  ",
                "Key bind data of the same name already exists.\rOverwrite it?")
QUAVREL_MESSAGE(SSaveDialogDeleteQuery, "SSaveDialogDeleteQuery",
                "Quavrel will delete the current key bind data.\rContinue?")
QUAVREL_MESSAGE(STmpFile_FailedCreation, "STmpFile_FailedCreation",
                "Failed to create temporary file.")
QUAVREL_MESSAGE(
    SFailedToOpenMediaPlayer, "SFailedToOpenMediaPlayer",
    "An error occurred when trying to use the specified CD drive. Message:\r%s\rThe CD drive may "
    "be in use by another application.\rPlease try again after closing that application.")
QUAVREL_MESSAGE(SFatalError, "SFatalError",
                "An error occurred.\r%s\rQuavrel will shut down if you click OK...\rYou can also "
                "continue using Quavrel if you don't have any problem (click Cancel).")
QUAVREL_MESSAGE(SRecordMessage1, "SRecordMessage1", "Now Recording...")
QUAVREL_MESSAGE(SRecordMessage2, "SRecordMessage2", "Please wait a moment...")
QUAVREL_MESSAGE(SFirstMessage1_1, "SFirstMessage1_1",
                "Thank you for downloading Quavrel - An integrated musical transcribing "
                "tool!\r\rQuavrel is a music player for ear training, transcribing music, learning "
                "foreign languages, etc.\rIt has many functions for transcribing, such as "
                "automatic repeating, slowing down without changing the pitch, and more.\r")
QUAVREL_MESSAGE(
    SFirstMessage1_3, "SFirstMessage1_3",
    "Before you start using Quavrel, please select a folder for saving your configuration.\r")
QUAVREL_MESSAGE(SFirstMessage_ClickToContinue, "SFirstMessage_ClickToContinue",
                "(Click or press Enter to continue...)")
QUAVREL_MESSAGE(SFirstMessageCaption1, "SFirstMessageCaption1",
                "Welcome to Quavrel, an integrated musical transcribing tool!")
QUAVREL_MESSAGE(SFirstMessage2, "SFirstMessage2",
                "Quavrel records what the song plays directly: there is nothing to set up for "
                "that.\rTo record a microphone or a line input instead, choose \"Recording "
                "Device\" under \"Recording Source\" in the menu's \"Customize\".")
QUAVREL_MESSAGE(SFirstMessageCaption2, "SFirstMessageCaption2", "Notice!")
QUAVREL_MESSAGE(
    SFirstMessage3, "SFirstMessage3",
    "With the recording source \"Recording Device\", Quavrel records the input chosen in your "
    "desktop's sound settings.\rThere, choose the microphone or line input and set its level. The "
    "menu item \"Show Volume Control ( Rec )\" opens these settings when pavucontrol is "
    "installed.\r\rWhile the recording source is \"The Song\", nothing needs to be set.")
QUAVREL_MESSAGE(SFirstMessageCaption3, "SFirstMessageCaption3", "About Recording Device")
QUAVREL_MESSAGE(SChangeDataFolder, "SChangeDataFolder",
                "CAUTION: Quavrel is going to change the place where your profile is saved.\rYour "
                "profile will not be deleted or moved. It will still remain in its old "
                "folder.\r\rTo do this, Quavrel has to be shut down.\rWhen you restart Quavrel, "
                "you will select a new profile folder.\r\rContinue?")
QUAVREL_MESSAGE(SMenuItemHighQualityStretch, "SMenuItemHighQualityStretch",
                "High Quality Speed Change (slower)")
QUAVREL_MESSAGE(SMSG_FOUNDDISUSEFILESCAPTION, "SMSG_FOUNDDISUSEFILESCAPTION",
                "Found some unused files...")
QUAVREL_MESSAGE(SNoData, "SNoData", "No Data")
QUAVREL_MESSAGE(SSaveWaveDialogTitle, "SSaveWaveDialogTitle", "Save Wave Data")
QUAVREL_MESSAGE(SSaveWaveFilter, "SSaveWaveFilter", "Wave files (*.wav)")
QUAVREL_MESSAGE(SMenuItemRecordSource, "SMenuItemRecordSource", "Recording &Source")
QUAVREL_MESSAGE(SMenuItemRecordSourceSong, "SMenuItemRecordSourceSong", "The Song (digital)")
QUAVREL_MESSAGE(SMenuItemRecordSourceDevice, "SMenuItemRecordSourceDevice", "Recording Device")
QUAVREL_MESSAGE(SWaveExpansionCancel, "SWaveExpansionCancel", "Cancel")
QUAVREL_MESSAGE(SDataFolderInUse, "SDataFolderInUse",
                "The data folder %s is in use by another Quavrel (of another user or session).\r"
                "Quavrel ends now; please end the other one first.")
QUAVREL_MESSAGE(SChooseDataFolderCaption, "SChooseDataFolderCaption",
                "Choose a folder for your Quavrel data")
QUAVREL_MESSAGE(SNoDataFolder, "SNoDataFolder",
                "Quavrel needs a folder to keep your settings, key bindings and recordings in.\r"
                "Choose a folder, or use the proposed one:\r%s")
QUAVREL_MESSAGE(SNoDataFolderChoose, "SNoDataFolderChoose", "&Choose a Folder...")
QUAVREL_MESSAGE(SNoDataFolderUseProposed, "SNoDataFolderUseProposed", "&Use the Proposed Folder")
QUAVREL_MESSAGE(SNoDataFolderQuit, "SNoDataFolderQuit", "&Quit")
QUAVREL_MESSAGE(SDesktopMixerMissing, "SDesktopMixerMissing",
                "The volume control \"pavucontrol\" is not installed.\rInstall the package "
                "pavucontrol to choose the devices Quavrel plays on and records from.")
QUAVREL_MESSAGE(SNoPageLauncher, "SNoPageLauncher",
                "No program to show web pages was found (xdg-open, of the package xdg-utils, "
                "and a web browser).\rThe page is:\r%s")
QUAVREL_MESSAGE(SGuideFrmCaption, "SGuideFrmCaption", "Quavrel User Guide")
QUAVREL_MESSAGE(SWaveExpansionDecoding, "SWaveExpansionDecoding", "Decoding the song...")
QUAVREL_MESSAGE(SExpandWaveSmallestBlock, "SExpandWaveSmallestBlock", "  (blocks of %d samples)")
QUAVREL_MESSAGE(SExpandWaveSongFilter, "SExpandWaveSongFilter", "Songs and Windows Wave Files")
QUAVREL_MESSAGE(SExpandWaveWaveFilter, "SExpandWaveWaveFilter", "Windows Wave File")
QUAVREL_MESSAGE(SExpandWaveAllFilter, "SExpandWaveAllFilter", "All Files")
QUAVREL_MESSAGE(SWriteFileListError, "SWriteFileListError",
                "An error occurred when saving the file list.")
QUAVREL_MESSAGE(SFileListDamaged, "SFileListDamaged",
                "The registered file list %s is damaged at line %d.\rThe folders and files "
                "before that line were loaded; the whole file is kept as %s when the list is "
                "saved next.")
QUAVREL_MESSAGE(STooManyFiles, "STooManyFiles", "Error! Too many files.")
QUAVREL_MESSAGE(RHINT_SPEEDRESET, "RHINT_SPEEDRESET",
                "Normal Speed : \rThe song plays at its own speed again (100 %).")
QUAVREL_MESSAGE(RHINT_TRANSPOSEUP, "RHINT_TRANSPOSEUP",
                "Transpose Up : \rThe song sounds a semitone higher (up to +12), at the same "
                "speed.")
QUAVREL_MESSAGE(RHINT_TRANSPOSEDOWN, "RHINT_TRANSPOSEDOWN",
                "Transpose Down : \rThe song sounds a semitone lower (down to -12), at the same "
                "speed.")
QUAVREL_MESSAGE(RHINT_CENTSUP, "RHINT_CENTSUP",
                "Fine Tune Up : \rThe song sounds 10 cents higher (up to +50), to match an "
                "instrument tuned a little sharp.")
QUAVREL_MESSAGE(RHINT_CENTSDOWN, "RHINT_CENTSDOWN",
                "Fine Tune Down : \rThe song sounds 10 cents lower (down to -50), to match an "
                "instrument tuned a little flat.")
QUAVREL_MESSAGE(RHINT_SPEEDTRAINER, "RHINT_SPEEDTRAINER",
                "Speed Trainer : \rOn or off. While a repeat section loops, each pass plays a "
                "step faster, from the start speed up to the target speed.\rThe speeds are set "
                "in the Practice menu.")
QUAVREL_MESSAGE(RHINT_TRANSPOSE, "RHINT_TRANSPOSE",
                "Transpose : \rHow far the song sounds higher (+) or lower (-) than its own "
                "pitch, in semitones (st) and cents (ct).")
QUAVREL_MESSAGE(SSongSpeedLabel, "SSongSpeedLabel", "Speed %d%%")
QUAVREL_MESSAGE(STrainerSpeedLabel, "STrainerSpeedLabel", "Trainer %d%%")
QUAVREL_MESSAGE(STransposeSemitones, "STransposeSemitones", "%+d st")
QUAVREL_MESSAGE(STransposeCents, "STransposeCents", "%+d ct")
QUAVREL_MESSAGE(STrainerOptionsCaption, "STrainerOptionsCaption", "Speed Trainer")
QUAVREL_MESSAGE(STrainerStartSpeed, "STrainerStartSpeed", "Start speed (%) :")
QUAVREL_MESSAGE(STrainerStep, "STrainerStep", "Change per pass (%) :")
QUAVREL_MESSAGE(STrainerTargetSpeed, "STrainerTargetSpeed", "Target speed (%) :")
