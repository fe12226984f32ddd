<?xml version="1.0" encoding="UTF-8"?>
<VMD>
	<Controls>
	</Controls>
</VMD>
