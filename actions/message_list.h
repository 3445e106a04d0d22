// Every message of the program: QUAVREL_MESSAGE(variable, key, English default), in the order
// they are registered. Keys are written as a language file's "Messages" section names them,
// the key-binding dialog's ones padded with blanks as they always were.
// QUAVREL_MESSAGE_AGAIN registers a variable a second time under a key.
// No include guard: each user defines the two macros, includes this list and undefines them.

QUAVREL_MESSAGE(SQuavrelUrl, "SQuavrelUrl", "https://quavrel.org/")
QUAVREL_MESSAGE(SQuavrelUrlCaption, "SQuavrelUrlCaption", "Quavrel Home-Page")
QUAVREL_MESSAGE(SFontName, "SFontName", "Times New Roman")
QUAVREL_MESSAGE(SMenuItemClose, "SMenuItemClose", "&Close")
QUAVREL_MESSAGE(SMenuItemSet, "SMenuItemSet", "&Set")
QUAVREL_MESSAGE(SMenuItemEject, "SMenuItemEject", "&Eject")
QUAVREL_MESSAGE(SMenuItemOpenAs, "SMenuItemOpenAs", "&Open by other application")
QUAVREL_MESSAGE(SMenuItemExport, "SMenuItemExport", "&Save")
QUAVREL_MESSAGE(SMenuItemSetTitle, "SMenuItemSetTitle", "Set &title of this window")
QUAVREL_MESSAGE_AGAIN(SMenuItemSetTitle, "SMenuItemSetTitle")
QUAVREL_MESSAGE(SSetWindowTitleCaption, "SSetWindowTitleCaption", "Set Caption of This Window")
QUAVREL_MESSAGE(SSetWindowTitlePrompt, "SSetWindowTitlePrompt", "Title : ")
QUAVREL_MESSAGE(SSelectFrmCassette, "SSelectFrmCassette", "Recorded Data %d")
QUAVREL_MESSAGE(SSelectFrmRepeat, "SSelectFrmRepeat", "Reepat Section %d")
QUAVREL_MESSAGE(SSelectFrmCaption, "SSelectFrmCaption", "Select Window")
QUAVREL_MESSAGE(SSelectFrmNone, "SSelectFrmNone", "(Eject)")
QUAVREL_MESSAGE(SWaveExpansionStart, "SWaveExpansionStart", "Start")
QUAVREL_MESSAGE(SWaveExpansionPreConvert, "SWaveExpansionPreConvert",
                "Extracting wave data from Windows Wave File...")
QUAVREL_MESSAGE(SWaveExpansionExpanding, "SWaveExpansionExpanding", "Expanding wave data...")
QUAVREL_MESSAGE(SWaveExpansionRectifying, "SWaveExpansionRectifying", "Rectifying sound quality...")
QUAVREL_MESSAGE(SWaveExpansionPostConvert, "SWaveExpansionPostConvert",
                "Restoring Windows Wave File...")
QUAVREL_MESSAGE(SWaveExpansionEnd, "SWaveExpansionEnd", "End")
QUAVREL_MESSAGE(SWaveExpansionCaption, "SWaveExpansionCaption", "Now Processing...")
QUAVREL_MESSAGE(SWaveExpansionError, "SWaveExpansionError",
                "Specified file is not WAVE_FORMAT_PCM. Quavrel supports only WAVE_FORMAT_PCM.")
QUAVREL_MESSAGE(SNewFolder, "SNewFolder", "New Forder")
QUAVREL_MESSAGE(SReadFileListError, "SReadFileListError", "error occured when reading file list.")
QUAVREL_MESSAGE(SFileList, "SFileList", "Registered File List")
QUAVREL_MESSAGE(SConfirmDeleteNode, "SConfirmDeleteNode", "%s will be deleted. Continue?")
QUAVREL_MESSAGE(SPlayCD, "SPlayCD", "DRIVE %s")
QUAVREL_MESSAGE(SPlayFile, "SPlayFile", " FILE ")
QUAVREL_MESSAGE(SMSG_FOUNDDISUSEFILES, "SMSG_FOUNDDISUSEFILES",
                "%d disuse quavrel's temporary files were detected.\rquavrel can delete them. "
                "Although they might just consume free disk space, you can stop this "
                "process.\rAdditionally you can read its file list. Are you going to read it?")
QUAVREL_MESSAGE(SMSG_CONFIRMDELETEDISUSEFILE, "SMSG_CONFIRMDELETEDISUSEFILE",
                "quavrel is going to delete the detected disuse files. Continue?")
QUAVREL_MESSAGE(SMSG_DONEDELETE, "SMSG_DONEDELETE", "%d files were successfuly deleted.")
QUAVREL_MESSAGE(SMSG_FAILEDDELETE, "SMSG_FAILEDDELETE", "failed to delete the file. %s")
QUAVREL_MESSAGE(SFileNotFound, "SFileNotFound", "%s does not exist.")
QUAVREL_MESSAGE(SCouldNotPlayFile, "SCouldNotPlayFile", "Error occured while playing the file.")
QUAVREL_MESSAGE(SCouldNotPlayCD, "SCouldNotPlayCD", "Failed to play the CD.")
QUAVREL_MESSAGE(SInternalError, "SInternalError", "internal error occured in %s")
QUAVREL_MESSAGE(SExpandWaveWaveFileInfo1, "SExpandWaveWaveFileInfo1", "%d(sample)  %2.3f(sec)")
QUAVREL_MESSAGE(SExpandWaveWaveFileInfo2, "SExpandWaveWaveFileInfo2", "%dch %d/%d(bit/sample)")
QUAVREL_MESSAGE(RHINT_AUTOREC, "RHINT_AUTOREC",
                "Automatically Recording : \rAutomatically record the current repeat section.")
QUAVREL_MESSAGE(
    RHINT_JUMPTOSTARTTIME, "RHINT_JUMPTOSTARTTIME",
    "Jump to the Repeat Head : \rJump to the Start point of the current repeat section.")
QUAVREL_MESSAGE(RHINT_HISTORYBACK, "RHINT_HISTORYBACK",
                "History Back : \rJump to the last position where you jumped to last time. ( as a "
                "\"back button\" on a web browser do )")
QUAVREL_MESSAGE(RHINT_BACK, "RHINT_BACK", "Rewind : Rewind current playing position.")
QUAVREL_MESSAGE(
    RHINT_CONFIG, "RHINT_CONFIG",
    "Configuration : \r set up sound processing quality , recording source , playing , etc.")
QUAVREL_MESSAGE(RHINT_EJECT, "RHINT_EJECT",
                "Eject : \reject/load the CD.(only work when playing CD) ")
QUAVREL_MESSAGE(
    RHINT_EXECSPEEDCHANGE, "RHINT_EXECSPEEDCHANGE",
    "Execute Time Expanding : \rExpand time of current recorded data without changing its pitch.")
QUAVREL_MESSAGE(RHINT_EXIT, "RHINT_EXIT", "Exit : \rTerminate Quavrel.")
QUAVREL_MESSAGE(RHINT_MINIMIZE, "RHINT_MINIMIZE", "Minimize : \r Minimize quavrel.")
QUAVREL_MESSAGE(RHINT_NEXTTRACK, "RHINT_NEXTTRACK", "Next Track :")
QUAVREL_MESSAGE(RHINT_PAUSE, "RHINT_PAUSE", "Pause : ")
QUAVREL_MESSAGE(RHINT_PLAY, "RHINT_PLAY", "Play : ")
QUAVREL_MESSAGE(RHINT_PREVTRACK, "RHINT_PREVTRACK", "Prev Track")
QUAVREL_MESSAGE(RHINT_REC, "RHINT_REC",
                "Record : Record while pressing this button.\rif you can not catch a note because "
                "of its velocity, you can modify its velocity without changing its pitch.")
QUAVREL_MESSAGE(RHINT_REPENDBACK, "RHINT_REPENDBACK",
                "Move current repeat section : \rtail position of current repeat section will move "
                "back while pressing this button.")
QUAVREL_MESSAGE(RHINT_REPENDSET, "RHINT_REPENDSET",
                "Set current repeat section : \rset tail position of current repeat section")
QUAVREL_MESSAGE(RHINT_REPENDSTEP, "RHINT_REPENDSTEP",
                "Move current repeat section : \rtail position of current repeat section will move "
                "back while pressing this button.")
QUAVREL_MESSAGE(RHINT_REPSTARTBACK, "RHINT_REPSTARTBACK",
                "Move current repeat section : \rhead position of current repeat section will move "
                "back while pressing this button.")
QUAVREL_MESSAGE(RHINT_REPSTARTSET, "RHINT_REPSTARTSET",
                "Set current repeat section : \rset head posigtion of current repeat section")
QUAVREL_MESSAGE(RHINT_REPSTARTSTEP, "RHINT_REPSTARTSTEP",
                "Move current repeat section : \rhead position of current repeat section will move "
                "back while pressing this button.")
QUAVREL_MESSAGE(RHINT_REPEATPLAYSWITCH, "RHINT_REPEATPLAYSWITCH",
                "Toggle Repeat Playing Switch : \rYou can enable repeat playing by this button "
                "when repeat section is set correctly.")
QUAVREL_MESSAGE(RHINT_RESTORESPEEDCHANGE, "RHINT_RESTORESPEEDCHANGE",
                "Restore time expanding : Restore playing velocity of the current recorded data.")
QUAVREL_MESSAGE(RHINT_STEP, "RHINT_STEP", "Fast-Forwarding")
QUAVREL_MESSAGE(RHINT_STOP, "RHINT_STOP", "Stop")
QUAVREL_MESSAGE(RHINT_TRASH, "RHINT_TRASH",
                "Trash : close current cassette tape window or repeat memory window.")
QUAVREL_MESSAGE(RHINT_SELECT, "RHINT_SELECT",
                "Select Window: Open dialog window which has a listbox of all window.\rAfter You "
                "pick one of them up, it will be set to main window automatically.")
QUAVREL_MESSAGE(
    RHINT_EJECT_CASSETTE, "RHINT_EJECT_CASSETTE",
    "Eject Cassette Tape : Eject current cassette tape. It will be placed appropriate possition.")
QUAVREL_MESSAGE(RHINT_WAVEFAST, "RHINT_WAVEFAST",
                "Fast : Change velocity of current recorded data.\r(After change the velocity , "
                "you have to press execute button.)")
QUAVREL_MESSAGE(RHINT_WAVESLOW, "RHINT_WAVESLOW",
                "Slow : Change velocity of current recorded data.\r(After change the velocity , "
                "you have to press execute button.)")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_RATIO, "RHINT_SCROLLBAR_RATIO",
                "Velocity of current recorded data : slower to the left, faster to the right.\r"
                "(After change the velocity , you have to press execute button.)")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_REPEATEND, "RHINT_SCROLLBAR_REPEATEND", "Repeat Section's tail")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_REPEATSTART, "RHINT_SCROLLBAR_REPEATSTART", "Repeat Section's head")
QUAVREL_MESSAGE(RHINT_SCROLLBAR_TIME, "RHINT_SCROLLBAR_TIME", "Current position")
QUAVREL_MESSAGE(RHINT_CURRENT_TIME, "RHINT_CURRENT_TIME", "Current position")
QUAVREL_MESSAGE(RHINT_REPEATSTART_TIME, "RHINT_REPEATSTART_TIME", "Repeat Section's Head")
QUAVREL_MESSAGE(RHINT_REPEATEND_TIME, "RHINT_REPEATEND_TIME", "Repeat Section's Tail")
QUAVREL_MESSAGE(RHINT_DOCKING_POINT, "RHINT_DOCKING_POINT",
                "Docking Point : if wave data window/repeat section data window is dragged to here "
                ",\rthe window will be docked to main window and will be current data.")
QUAVREL_MESSAGE(RHINT_SPEED, "RHINT_SPEED",
                "Ratio of Time Expanding : \rthe length of the copy \"EXECUTE\" makes, in percent "
                "of the recorded data.\r150 % = half as long again, slower; 50 % = half as long, "
                "faster.\r(With \"Don't Care If Pitch Is Changed\": semitones lower, +12 = an "
                "octave lower and twice as long.)")
QUAVREL_MESSAGE(RHINT_FORMAT, "RHINT_FORMAT", "%s [%s]")
QUAVREL_MESSAGE(SSaveDialogTitle, "SSaveDialogTitle      ", "Save current key bind")
QUAVREL_MESSAGE(SSaveDialogPrompt, "SSaveDialogPrompt     ", "Name")
QUAVREL_MESSAGE(SSaveDialogDuplicate, "SSaveDialogDuplicate  ",
                "Same name key bind data already exists.\rOverwrite it?")
QUAVREL_MESSAGE(SSaveDialogDeleteQuery, "SSaveDialogDeleteQuery",
                "Quavrel will delete current key bind data.\rContinue?")
QUAVREL_MESSAGE(STmpFile_FailedCreation, "STmpFile_FailedCreation",
                "Failed to create temporary file.")
QUAVREL_MESSAGE(SFailedToOpenMediaPlayer, "SFailedToOpenMediaPlayer",
                "Error occured when trying to manipulate specified cd drive.message ：\r%s\rThere "
                "is some possibility of specified CD Player is occupied by other "
                "application.\rPlease retry after terminate their application.")
QUAVREL_MESSAGE(SFatalError, "SFatalError",
                "Error occurred.\r %s \rQuavrel will shutdown if you click OK... \rAlso you can "
                "continue to using Quavrel if you don't have any problem.(click cancel) ")
QUAVREL_MESSAGE(SRecordMessage1, "SRecordMessage1", "Now Recording...")
QUAVREL_MESSAGE(SRecordMessage2, "SRecordMessage2", "Please wait a minute...")
QUAVREL_MESSAGE(
    SFirstMessage1_1, "SFirstMessage1_1",
    "Thank you for downloading Quavrel - A Integrated Musical Transcribing Tool!\r\rQuavrel is a "
    "music player for ear training, music transcribing and learning foreign language, etc. \rThis "
    "program has a lot of functions for transcribing such as automatic repeating, slowing down "
    "without pitch shifting and more functions which are very useful for transcribing.\r")
QUAVREL_MESSAGE(
    SFirstMessage1_3, "SFirstMessage1_3",
    "Before start using Quavrel, please select a folder for saving your configuration.\r")
QUAVREL_MESSAGE(SFirstMessage_ClickToContinue, "SFirstMessage_ClickToContinue",
                "( Click to Continue...)")
QUAVREL_MESSAGE(SFirstMessageCaption1, "SFirstMessageCaption1",
                "Welcome to Integrated Musical Transcribing Tool \"Quavrel\" !")
QUAVREL_MESSAGE(
    SFirstMessage2, "SFirstMessage2",
    "Before using Quavrel, please confirm correct recording device is selected. \rIn order to "
    "check if it is correctly selected, use \"Windows Sound Volume\". \rYou can access to "
    "\"Windows Sound Volume\" via Quavrel menu button. \r\r( Click to Continue... )")
QUAVREL_MESSAGE(SFirstMessageCaption2, "SFirstMessageCaption2", "Notice!")
QUAVREL_MESSAGE(
    SFirstMessage3, "SFirstMessage3",
    "When you click the menu item, \"Windows Volume Control\" will appear on your desktop.\rPlease "
    "select proper recording device, otherwise no sound will be recorded when you are using "
    "Quavrel...\rNormally, correct device is \"Stereo Mix\". \r(Unfortunatelly this name depends "
    "on your sound board on your PC)\rIf your PC has no recording device which name is \"Stereo "
    "Mix\", please switch the selected device between \"Wave Audio\" and \"CD\". It depends on "
    "what you are playing...\r\rThis is the first time you run Quavrel so Quavrel will run "
    "\"Windows Volume Control\".\rPlease don't forget configure them...\r\r( Click to Continue... "
    ")")
QUAVREL_MESSAGE(SFirstMessageCaption3, "SFirstMessageCaption3", "About Recording Device")
QUAVREL_MESSAGE(SChangeDataFolder, "SChangeDataFolder",
                "CAUTION : Quavrel is going to change the place where your profile is being saved. "
                "\rYour profile will not be deleted or moved. Your profile will be still remained "
                "in its old directory.\r\rIn order to do it, Quavrel has to be shutdowned. \rWhen "
                "you restart Quavrel , you will select new profile folder.\r\rContinue ? ")
QUAVREL_MESSAGE(SMenuItemHighQualityStretch, "SMenuItemHighQualityStretch",
                "High Quality Speed Change (slower)")
QUAVREL_MESSAGE(SMSG_FOUNDDISUSEFILESCAPTION, "SMSG_FOUNDDISUSEFILESCAPTION",
                "Found some disuse files...")
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
